// The friend screens driven as a user would, against the demo service: a
// friend request found by name and accepted from the other user's inbox,
// groups made, renamed and deleted, the blacklist, shielding and remarks.
#include "community/FriendGroupItem.h"
#include "community/FriendItem.h"
#include "community/FriendsHome.h"
#include "community/FriendsSearch.h"
#include "community/FriendsSearchItem.h"
#include "community/GroupList.h"
#include "community/MessageHome.h"
#include "community/MessageList.h"
#include "community/MessageListItem.h"
#include "community/NameEditor.h"
#include "community/UserBlack.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Friends : public tovera::testing::CommunityUiTest {
protected:
    FriendsHome* openFriends() {
        auto* friends = open(new FriendsHome);
        EXPECT_TRUE(waitFor([friends] { return friends->dataArray().size() >= 2; }));
        return friends;
    }
    // Opens the group at `section` by its header, as a user taps it.
    static void expand(FriendsHome* friends, int section) {
        Button* header = friends->headerButton(section);
        ASSERT_NE(header, nullptr);
        if (!header->isSelected()) {
            ASSERT_TRUE(tapSettled(header));
        }
        ASSERT_TRUE(waitFor([&] {
            return friends->tableView()->numberOfRowsInSection(section) > 0 ||
                   friends->dataArray()[std::size_t(section)]["friends"].items().empty();
        }));
    }
    // The row of the friend `name` in `section`, on screen.
    static FriendItem* friendRow(FriendsHome* friends, int section, const QString& name) {
        for (int row = 0; row < friends->tableView()->numberOfRowsInSection(section); ++row)
            if (auto* item = cell<FriendItem>(friends->tableView(), row, section))
                if (item->nameLabel()->text().startsWith(name)) return item;
        return nullptr;
    }
    static void search(SearchBar* bar, const QString& text) {
        bar->setText(QString());
        ASSERT_TRUE(type(bar->textField(), text));
        pressKey(Qt::Key_Return);
    }
};

TEST_F(Friends, RequestAcceptedFromTheInboxPutsTheFriendInTheDefaultGroup) {
    as("newbie");
    auto* finder = open(new FriendsSearch);
    EXPECT_EQ(finder->title(), QStringLiteral("搜索好友"));
    EXPECT_EQ(finder->headerText(), QStringLiteral("您的所有好友:"));
    search(finder->searchBar(), QStringLiteral("zhaolei"));
    ASSERT_TRUE(waitFor([&] { return !finder->items().empty(); }));
    EXPECT_EQ(finder->headerText(), QStringLiteral("包含\"zhaolei\"的用户:"));
    auto* member = cell<FriendsSearchItem>(finder->tableView(), 0);
    ASSERT_NE(member, nullptr);
    ASSERT_FALSE(member->button()->isHidden()) << "a member who is no friend can be added";
    EXPECT_EQ(member->button()->currentTitle(), QStringLiteral("添加"));
    const std::size_t before = sent("user/apply.aspx").size();
    ASSERT_TRUE(tapSettled(member->button()));
    EXPECT_EQ(nextRequest("user/apply.aspx", before).getStringValueForKey("operate", ""), "1");
    EXPECT_EQ(alertMessage(), QStringLiteral("好友请求已发送"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));

    as("zhaolei");
    auto* inbox = open(new MessageHome);
    MessageList* list = inbox->msgController();
    ASSERT_TRUE(waitFor([&] { return !list->items().empty(); }));
    MessageListItem* request = nullptr;
    for (int row = 0; row < int(list->items().size()) && !request; ++row)
        if (auto* item = cell<MessageListItem>(list->tableView(), row);
            item && item->button0()->currentTitle() == QStringLiteral("同意"))
            request = item;
    ASSERT_NE(request, nullptr) << "the friend request shows with 同意";
    EXPECT_EQ(request->requesterBtn()->currentTitle(), QStringLiteral("newbie"));
    const std::size_t passes = sent("user/pass.aspx").size();
    ASSERT_TRUE(tapSettled(request->button0()));
    EXPECT_EQ(nextRequest("user/pass.aspx", passes).getStringValueForKey("operate", ""), "1");

    as("newbie");
    FriendsHome* friends = openFriends();
    expand(friends, 0);
    EXPECT_NE(friendRow(friends, 0, QStringLiteral("zhaolei")), nullptr);
}

TEST_F(Friends, GroupsAreMadeRenamedAndDeletedAfterAskingWithTheirFriendsMoved) {
    as("demo");
    auto* groups = open(new GroupList);
    ASSERT_TRUE(waitFor([&] { return groups->dataArray().size() == 3; }));
    for (int row = 0; row < 3; ++row) {
        auto* item = cell<FriendGroupItem>(groups->tableView(), row);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->modifyBtn()->isHidden(), row < 2) << "the fixed groups stay as they are";
        EXPECT_EQ(item->deleteBtn()->isHidden(), row < 2);
    }

    // A new group with an empty name sends nothing; a named one is made.
    const std::size_t before = sent("user/updategroup.aspx").size();
    tapRightButton(groups);
    ASSERT_FALSE(groups->addGroupView()->isHidden());
    ASSERT_TRUE(tap(groups->addGroupView()->confirmButton()));
    processEvents();
    EXPECT_EQ(sent("user/updategroup.aspx").size(), before);
    tapRightButton(groups);
    ASSERT_TRUE(type(groups->addGroupField(), QStringLiteral("邻居")));
    ASSERT_TRUE(tap(groups->addGroupView()->confirmButton()));
    Dict made = nextRequest("user/updategroup.aspx", before);
    EXPECT_EQ(made.getStringValueForKey("id", ""), "0");
    EXPECT_EQ(made.getStringValueForKey("grupname", ""), "邻居");
    EXPECT_FALSE(made.contains("api"));
    ASSERT_TRUE(waitFor([&] { return groups->dataArray().size() == 4; }));

    // Renaming "同事" (group 3).
    auto* colleagues = cell<FriendGroupItem>(groups->tableView(), 2);
    ASSERT_NE(colleagues, nullptr);
    ASSERT_TRUE(tapSettled(colleagues->modifyBtn()));
    EXPECT_EQ(groups->addGroupField()->text(), QStringLiteral("同事"));
    groups->addGroupField()->setText(QString());
    ASSERT_TRUE(type(groups->addGroupField(), QStringLiteral("同学")));
    ASSERT_TRUE(tap(groups->addGroupView()->confirmButton()));
    EXPECT_EQ(nextRequest("user/updategroup.aspx", before + 1).getStringValueForKey("grupname", ""),
              "同学");
    ASSERT_TRUE(waitFor([&] { return groups->dataArray()[2]["name"].toText() == "同学"; }));

    // Emptying the name asks first; "取消" keeps the group.
    colleagues = cell<FriendGroupItem>(groups->tableView(), 2);
    ASSERT_TRUE(tapSettled(colleagues->modifyBtn()));
    groups->addGroupField()->setText(QString());
    ASSERT_TRUE(tap(groups->addGroupView()->confirmButton()));
    EXPECT_EQ(alertMessage(), QStringLiteral("确定删除\"同学\"吗?该分组内好友将移至默认分组。"));
    ASSERT_TRUE(answer(QStringLiteral("取消")));
    processEvents();
    EXPECT_EQ(sent("user/updategroup.aspx").size(), before + 2);
    // The delete button asks the same; "删除" deletes.
    ASSERT_TRUE(tapSettled(cell<FriendGroupItem>(groups->tableView(), 2)->deleteBtn()));
    ASSERT_TRUE(answer(QStringLiteral("删除")));
    Dict deleted = nextRequest("user/updategroup.aspx", before + 2);
    EXPECT_EQ(deleted.getStringValueForKey("id", ""), "3");
    EXPECT_EQ(deleted.getStringValueForKey("grupname", "x"), "");
    ASSERT_TRUE(waitFor([&] { return groups->dataArray().size() == 3; }));

    // The friend of the deleted group is in the default group now.
    FriendsHome* friends = openFriends();
    bool moved = false;
    for (const Value& record : friends->dataArray()[0]["friends"].items())
        moved = moved || record.getIntValueForKey("id", 0) == 9;
    EXPECT_TRUE(moved);
}

TEST_F(Friends, BlacklistAddsByNameAndARefusedRemovalKeepsTheRow) {
    as("demo");
    auto* black = open(new UserBlack);
    ASSERT_TRUE(waitFor([&] { return black->dataArray().size() == 1; }));
    const std::size_t before = sent("user/setmsg.aspx").size();
    search(black->searchBar(), QString());
    EXPECT_EQ(currentToast(), QStringLiteral("请输入用户名"));
    EXPECT_EQ(sent("user/setmsg.aspx").size(), before) << "an empty name is not sent";

    search(black->searchBar(), QStringLiteral("zhaolei"));
    Dict added = nextRequest("user/setmsg.aspx", before);
    EXPECT_EQ(added.getStringValueForKey("username", ""), "zhaolei");
    EXPECT_EQ(added.getStringValueForKey("operate", ""), "1");
    ASSERT_TRUE(waitFor([&] { return black->dataArray().size() == 2; }));

    auto rowOf = [&](const QString& name) -> FriendsSearchItem* {
        for (int row = 0; row < int(black->dataArray().size()); ++row)
            if (auto* item = cell<FriendsSearchItem>(black->tableView(), row);
                item && item->nameLabel()->text() == name)
                return item;
        return nullptr;
    };
    FriendsSearchItem* row = rowOf(QStringLiteral("zhaolei"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->button()->currentTitle(), QStringLiteral("取消"));
    demoService()->injectFault("user/setmsg.aspx", {});
    ASSERT_TRUE(tapSettled(row->button()));
    EXPECT_EQ(alertMessage(), QStringLiteral("操作失败"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    processEvents();
    EXPECT_EQ(black->dataArray().size(), 2u) << "a refusal removes no row";

    ASSERT_TRUE(tapSettled(rowOf(QStringLiteral("zhaolei"))->button()));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    ASSERT_TRUE(waitFor([&] { return black->dataArray().size() == 1; }));
    EXPECT_EQ(sent("user/setmsg.aspx").back().params.getStringValueForKey("operate", ""), "2");
}

TEST_F(Friends, ShieldFlipsOnlyWhenTakenAndOpenGroupsStayOpenAfterARemark) {
    as("demo");
    FriendsHome* friends = openFriends();
    expand(friends, 1);
    FriendItem* blocked = friendRow(friends, 1, QStringLiteral("spammer"));
    ASSERT_NE(blocked, nullptr);
    EXPECT_TRUE(blocked->shieldBtn()->isHidden()) << "the blacklist offers no shield";
    EXPECT_TRUE(blocked->remarkBtn()->isHidden());
    expand(friends, 0);
    EXPECT_EQ(friendRow(friends, 0, QStringLiteral("liuyang"))->shieldBtn()->currentTitle(),
              QStringLiteral("取消屏蔽"));

    FriendItem* wang = friendRow(friends, 0, QStringLiteral("wangfang"));
    ASSERT_NE(wang, nullptr);
    EXPECT_EQ(wang->nameLabel()->text(), QStringLiteral("wangfang(芳姐)"));
    demoService()->injectFault("user/shieldmsg.aspx", {});
    ASSERT_TRUE(tapSettled(wang->shieldBtn()));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    EXPECT_EQ(wang->shieldBtn()->currentTitle(), QStringLiteral("屏蔽")) << "refused: unchanged";
    ASSERT_TRUE(tapSettled(wang->shieldBtn()));
    EXPECT_EQ(alertMessage(), QStringLiteral("屏蔽成功"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    EXPECT_EQ(wang->shieldBtn()->currentTitle(), QStringLiteral("取消屏蔽"));

    // A remark: the editor opens with the current one, the list reloads,
    // and both opened groups are still open.
    ASSERT_TRUE(tapSettled(wang->remarkBtn()));
    NameEditor* editor = friends->addRemarkView();
    ASSERT_FALSE(editor->isHidden());
    EXPECT_EQ(editor->field()->text(), QStringLiteral("芳姐"));
    editor->field()->setText(QString());
    ASSERT_TRUE(type(editor->field(), QStringLiteral("王姐")));
    const std::size_t before = sent("user/remark.aspx").size();
    ASSERT_TRUE(tap(editor->confirmButton()));
    EXPECT_EQ(nextRequest("user/remark.aspx", before).getStringValueForKey("name", ""), "王姐");
    ASSERT_TRUE(waitFor([&] {
        FriendItem* row = friendRow(friends, 0, QStringLiteral("wangfang"));
        return row && row->nameLabel()->text() == QStringLiteral("wangfang(王姐)");
    }));
    EXPECT_TRUE(friends->headerButton(0)->isSelected());
    EXPECT_TRUE(friends->headerButton(1)->isSelected());
    EXPECT_FALSE(friends->param().param().contains("api")) << "the remark's api stays out";
    EXPECT_EQ(friendRow(friends, 0, QStringLiteral("wangfang"))->shieldBtn()->currentTitle(),
              QStringLiteral("取消屏蔽"));
}

TEST_F(Friends, MembersOfAProjectAreListedForTheProjectChosen) {
    as("demo");
    auto* finder = new FriendsSearch;
    finder->showHouse("1001", QStringLiteral("翠湖名邸"), 2);
    open(finder);
    const Dict asked = nextRequest("user/friend_search.aspx", 0);
    EXPECT_EQ(asked.getStringValueForKey("id", ""), "1001");
    EXPECT_EQ(asked.getStringValueForKey("t", ""), "2");
    ASSERT_TRUE(
        waitFor([&] { return !finder->headerText().isEmpty() || !finder->items().empty(); }));
    EXPECT_EQ(finder->title(), QStringLiteral("搜索购买楼盘"));
    if (!finder->items().empty()) {
        EXPECT_EQ(finder->headerText(), QStringLiteral("购买该楼盘的用户:"));
    }

    // An empty text only gives the bar the focus.
    finder->searchBar()->setText(QString());
    const std::size_t before = sent("user/friend_search.aspx").size();
    finder->doSearch();
    processEvents();
    EXPECT_EQ(sent("user/friend_search.aspx").size(), before);
    EXPECT_TRUE(finder->searchBar()->isFirstResponder());
}

}  // namespace
