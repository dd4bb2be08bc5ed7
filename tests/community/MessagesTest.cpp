// Private messages: written, answered and forwarded between two demo users,
// the rows each kind of message gets, and the last-look time and badges
// following only what was shown.
#include "community/MessageHome.h"
#include "community/MessageList.h"
#include "community/MessageListItem.h"
#include "community/SendMessage.h"
#include "core/DSTovera.h"
#include "framework/ButtonsView.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Messages : public tovera::testing::CommunityUiTest {
protected:
    // The inbox on tab `tab` (1 to 5), once its first page is shown.
    MessageHome* inbox(int tab) {
        auto* home = open(new MessageHome);
        auto* button = qobject_cast<Button*>(home->btnsView()->subviews().value(tab - 1));
        EXPECT_NE(button, nullptr);
        EXPECT_TRUE(waitFor([home] { return !home->msgController()->items().empty(); }));
        if (tab != 1) {
            const std::size_t before = sent("user/sendmsg_list.aspx").size();
            EXPECT_TRUE(tapSettled(button));
            EXPECT_FALSE(nextRequest("user/sendmsg_list.aspx", before).empty());
            EXPECT_TRUE(tapSettled(home->view()));
        }
        return home;
    }
    // The row whose subject is `title`.
    static MessageListItem* row(MessageHome* home, const QString& title) {
        MessageList* list = home->msgController();
        for (int i = 0; i < int(list->items().size()); ++i)
            if (auto* item = cell<MessageListItem>(list->tableView(), i);
                item && item->titleBtn()->currentTitle() == title)
                return item;
        return nullptr;
    }
    // Sends the form on top, as "提交" does, and waits for it to go.
    void post(SendMessage* form, std::size_t before) {
        tapRightButton(form);
        ASSERT_FALSE(nextRequest("user/sendmsg.aspx", before).empty());
        EXPECT_EQ(alertMessage(), QStringLiteral("发送成功!"));
        ASSERT_TRUE(answer(QStringLiteral("确定")));
        ASSERT_TRUE(waitFor([&] { return top() != form; }));
    }
};

TEST_F(Messages, WrittenAnsweredAndForwardedBetweenTwoUsers) {
    as("demo");
    auto* form = open(new SendMessage);
    const std::size_t before = sent("user/sendmsg.aspx").size();
    tapRightButton(form);
    EXPECT_TRUE(form->toField()->isFirstResponder()) << "the first empty field takes the focus";
    ASSERT_TRUE(type(form->toField(), QStringLiteral("wangfang")));
    tapRightButton(form);
    EXPECT_TRUE(form->subjectField()->isFirstResponder());
    ASSERT_TRUE(type(form->subjectField(), QStringLiteral("周末看房")));
    tapRightButton(form);
    EXPECT_TRUE(form->messageText()->isFirstResponder());
    processEvents();
    EXPECT_EQ(sent("user/sendmsg.aspx").size(), before) << "nothing is sent with an empty field";
    ASSERT_TRUE(type(form->messageText(), QStringLiteral("一起去吗?")));
    post(form, before);
    const Dict written = sent("user/sendmsg.aspx").back().params;
    EXPECT_EQ(written.getStringValueForKey("user", ""), "wangfang");
    EXPECT_EQ(written.getStringValueForKey("content", ""), "一起去吗?");

    as("wangfang");
    MessageHome* home = inbox(3);
    MessageListItem* message = row(home, QStringLiteral("周末看房"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->button0()->currentTitle(), QStringLiteral("回复"));
    ASSERT_TRUE(tapSettled(message->button0()));
    auto* reply = qobject_cast<SendMessage*>(top());
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(reply->title(), QStringLiteral("回复"));
    EXPECT_EQ(reply->toField()->text(), QStringLiteral("demo"));
    EXPECT_EQ(reply->subjectField()->text(), QStringLiteral("回复:周末看房"));
    ASSERT_TRUE(type(reply->messageText(), QStringLiteral("好的")));
    post(reply, before + 1);

    // demo sees the answer from "wangfang(芳姐)": a reply goes to the bare
    // user name, a forward carries the subject and the text.
    as("demo");
    nav()->popToRootViewControllerAnimated(false);
    home = inbox(1);
    message = row(home, QStringLiteral("回复:周末看房"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->nameBtn()->currentTitle(), QStringLiteral("wangfang(芳姐)"));
    ASSERT_TRUE(tapSettled(message->button0()));
    auto* again = qobject_cast<SendMessage*>(top());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->toField()->text(), QStringLiteral("wangfang"));
    nav()->popViewControllerAnimated(false);
    ASSERT_TRUE(tapSettled(message->button1()));
    auto* forward = qobject_cast<SendMessage*>(top());
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(forward->title(), QStringLiteral("转发"));
    EXPECT_TRUE(forward->toField()->text().isEmpty());
    EXPECT_EQ(forward->subjectField()->text(), QStringLiteral("转发:回复:周末看房"));
    EXPECT_EQ(forward->messageText()->text(), QStringLiteral("好的"));
    // The keyboard alone: Enter walks the fields and sends from the text.
    ASSERT_TRUE(type(forward->toField(), QStringLiteral("李华")));
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(forward->subjectField()->isFirstResponder());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(forward->messageText()->isFirstResponder());
    processEvents();
    EXPECT_EQ(sent("user/sendmsg.aspx").size(), before + 2) << "nothing sent before the text";
    pressKey(Qt::Key_Return);
    ASSERT_FALSE(nextRequest("user/sendmsg.aspx", before + 2).empty());
    EXPECT_EQ(alertMessage(), QStringLiteral("发送成功!"));
    pressKey(Qt::Key_Return);  // the alert's default button
    ASSERT_TRUE(waitFor([&] { return top() != forward; }));
    EXPECT_EQ(sent("user/sendmsg.aspx").back().params.getStringValueForKey("user", ""), "李华");
}

TEST_F(Messages, DeletingSendsTheSentBoxTypeOnlyThere) {
    as("demo");
    MessageHome* home = inbox(5);
    auto* sentRow = cell<MessageListItem>(home->msgController()->tableView(), 0);
    ASSERT_NE(sentRow, nullptr);
    EXPECT_EQ(sentRow->lBl()->text(), QStringLiteral("发送给:"));
    EXPECT_TRUE(sentRow->button0()->isHidden());
    std::size_t before = sent("user/deletemsg.aspx").size();
    ASSERT_TRUE(tapSettled(sentRow->button2()));
    EXPECT_EQ(nextRequest("user/deletemsg.aspx", before).getStringValueForKey("t", ""), "2");

    home = inbox(1);
    auto* received = cell<MessageListItem>(home->msgController()->tableView(), 0);
    ASSERT_NE(received, nullptr);
    const std::size_t count = home->msgController()->items().size();
    before = sent("user/deletemsg.aspx").size();
    ASSERT_TRUE(tapSettled(received->button2()));
    EXPECT_FALSE(nextRequest("user/deletemsg.aspx", before).contains("t"));
    EXPECT_TRUE(waitFor([&] { return home->msgController()->items().size() == count - 1; }))
        << "a deletion the service took reloads the list";
}

TEST_F(Messages, EachKindOfMessageOffersItsOwnButtons) {
    const struct {
        Dict record;
        int tab;
        QString name, button0, button1;
        bool black, titleEnabled;
    } cases[] = {
        {Dict{{"title", "公告"}}, 1, "系统", "", "", false, false},
        {Dict{{"catname", "2"}, {"name", "李华"}, {"type", "2"}, {"tid", "7"}}, 1, "李华", "",
         "再推荐", true, true},
        {Dict{{"catname", "3"}, {"name", "newbie"}, {"uid", "4"}}, 1, "系统", "同意", "拒绝", false,
         false},
        {Dict{{"catname", "4"}, {"name", "wangfang"}, {"remark", "芳姐"}}, 3, "wangfang(芳姐)",
         "回复", "转发", true, false},
        {Dict{{"catname", "4"}, {"person", "李华"}, {"remark", "华"}}, 5, "李华(华)", "", "", false,
         false},
    };
    for (const auto& c : cases) {
        MessageListItem item;
        item.setMlType(c.tab);
        item.setInfo(c.record);
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(item.nameBtn()->currentTitle(), c.name);
        EXPECT_EQ(item.button0()->isHidden(), c.button0.isEmpty());
        if (!c.button0.isEmpty()) {
            EXPECT_EQ(item.button0()->currentTitle(), c.button0);
        }
        EXPECT_EQ(item.button1()->isHidden(), c.button1.isEmpty());
        if (!c.button1.isEmpty()) {
            EXPECT_EQ(item.button1()->currentTitle(), c.button1);
        }
        EXPECT_EQ(item.blackBtn()->isHidden(), !c.black);
        EXPECT_EQ(item.titleBtn()->isEnabled(), c.titleEnabled);
        EXPECT_FALSE(item.button2()->isHidden());
    }
    EXPECT_EQ(MessageListItem::recommendType(1), "2");
    EXPECT_EQ(MessageListItem::recommendType(2), "1");
    EXPECT_EQ(MessageListItem::recommendType(3), "3");
    EXPECT_EQ(MessageListItem::recommendType(4), "4");
}

// Counts what the inbox asks of the home screen.
struct CountingRoot : RootScreenServices {
    void newMessage() override { ++polls; }
    void reselectTab() override { ++reselected; }
    int polls = 0;
    int reselected = 0;
};

TEST_F(Messages, LastLookIsStampedOnlyOnceAPageIsShownAndBadgesFollow) {
    as("demo");
    CountingRoot root;
    root.setSession(&session());
    RootScreenServices::install(&root);
    session().lastUpdateTime() = {"0", "0", "0", "0"};

    demoService()->injectFault("user/sendmsg_list.aspx", {});
    auto* home = open(new MessageHome);
    EXPECT_EQ(root.polls, 1) << "the inbox asks for the unread counts";
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    processEvents();
    EXPECT_EQ(session().lastUpdateTime()[3], "0") << "a refused page stamps nothing";
    EXPECT_EQ(root.reselected, 0);

    home->msgController()->reloadData();
    ASSERT_TRUE(waitFor([&] { return !home->msgController()->items().empty(); }));
    const std::string stamp = session().lastUpdateTime()[3];
    EXPECT_EQ(stamp.size(), std::string("yyyy-MM-dd HH:mm:ss").size());
    EXPECT_EQ(session().lastUpdateTime()[0], "0");
    EXPECT_EQ(root.reselected, 1) << "the home screen redraws its badges";
    RootScreenServices::install(nullptr);
}

TEST_F(Messages, ARecommendedArticleOpensTitledAsAnArticle) {
    as("demo");
    auto* list = open(new MessageList);
    ASSERT_TRUE(waitFor([&] { return !list->items().empty(); }));
    list->items().insert(list->items().begin(), Value(Dict{{"catname", "2"},
                                                           {"title", "楼市快讯"},
                                                           {"type", "2"},
                                                           {"tid", "1"},
                                                           {"name", "李华"}}));
    list->tableView()->reloadData();
    auto* item = cell<MessageListItem>(list->tableView(), 0);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->titleBtn()->isEnabled());
    ASSERT_TRUE(tapSettled(item->titleBtn()));
    ASSERT_TRUE(waitFor([&] { return top() != list; }));
    EXPECT_EQ(top()->title(), QStringLiteral("资讯详情"));
}

TEST_F(Messages, AnAnswerWithoutCodeIsNoSuccess) {
    struct Reloads : QXViewDelegate {
        void qxView(View*, Button*) override { ++count; }
        int count = 0;
    } list;
    MessageListItem item;
    item.setDelegate(&list);
    item.setInfo(Dict{{"catname", "4"}, {"id", "3"}});
    item.requestDidLoad(nullptr, Value(Dict{}));
    EXPECT_EQ(currentToast(), QStringLiteral("操作失败"));
    EXPECT_EQ(list.count, 0);
    item.requestDidLoad(nullptr, Value(Dict{{"code", 0}}));
    EXPECT_EQ(currentToast(), QStringLiteral("成功"));
    EXPECT_EQ(list.count, 1);
}

}  // namespace
