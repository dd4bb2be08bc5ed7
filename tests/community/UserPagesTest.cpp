// Other users' pages: the privacy levels as each viewer sees them, and the
// actions of the tab bar (add, move to a group, delete), against the demo
// service; the user-page entry point of the root-screen services.
#include "community/Profile.h"
#include "community/UserInfo.h"
#include "framework/JVPickView.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class UserPages : public tovera::testing::CommunityUiTest {
protected:
    UserInfo* page(const char* id) {
        auto* shown = new UserInfo;
        shown->param().setRid(id);
        open(shown);
        EXPECT_TRUE(waitFor([shown] { return !shown->tabBar()->isHidden(); }));
        return shown;
    }
    static QString value(UserInfo* shown, const char* key) {
        const QString text = shown->label(key)->text();
        return text.mid(text.indexOf(QLatin1Char('\t')) + 1);
    }
    static QStringList offered(UserInfo* shown) {
        QStringList titles;
        for (TabBarItem* item : shown->tabBar()->items())
            titles.append(item->title());
        return titles;
    }
    // Taps the tab bar item titled `title`.
    static bool choose(UserInfo* shown, const QString& title) {
        for (TabBarItem* item : shown->tabBar()->items())
            if (item->title() == title) return tapSettled(shown->tabBar()->viewForItem(item));
        return false;
    }
};

TEST_F(UserPages, PrivacyHidesExactlyTheFieldsOfItsLevel) {
    const QString secret = QStringLiteral("保密");
    const char* personal[] = {"realname", "gander", "age", "tel", "email"};
    const struct {
        int privacy;
        bool isFriend;
        bool pointHidden, qqHidden, personalHidden;
    } cases[] = {
        {0, true, true, false, true},   {0, false, true, true, true},
        {1, true, false, false, false}, {1, false, false, true, true},
        {2, true, false, false, false}, {2, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "privacy " << c.privacy << " friend " << c.isFriend);
        const Dict record{{"realname", "王芳"},
                          {"gander", "女"},
                          {"age", "36"},
                          {"tel", "1380"},
                          {"email", "w@x.cn"},
                          {"qq", "100014"},
                          {"point", "2628"},
                          {"privacy", std::to_string(c.privacy)},
                          {"groupid", c.isFriend ? "1" : "-1"}};
        const Dict shown = UserInfo::applyPrivacy(record);
        for (const char* key : personal)
            EXPECT_EQ(shown.getStringValueForKey(key, "") == "保密", c.personalHidden) << key;
        EXPECT_EQ(shown.getStringValueForKey("point", "") == "保密", c.pointHidden);
        EXPECT_EQ(shown.getStringValueForKey("qq", "") == "保密", c.qqHidden);
    }

    // The same through the pages: 李华 (privacy 0) and wangfang (1) are
    // friends of demo; newbie is no friend of wangfang; zhaolei shows all (2).
    as("demo");
    UserInfo* li = page("3");
    EXPECT_EQ(value(li, "realname"), secret);
    EXPECT_EQ(value(li, "point"), secret);
    EXPECT_EQ(value(li, "qq"), QStringLiteral("100021"));
    EXPECT_FALSE(li->label("remark")->isHidden());
    EXPECT_EQ(offered(li), (QStringList{"发私信", "移动分组", "删除好友"}));
    UserInfo* wang = page("2");
    EXPECT_EQ(value(wang, "realname"), QStringLiteral("王芳"));
    EXPECT_EQ(value(wang, "remark"), QStringLiteral("芳姐"));
    as("newbie");
    wang = page("2");
    EXPECT_EQ(value(wang, "realname"), secret);
    EXPECT_EQ(value(wang, "qq"), secret);
    EXPECT_EQ(value(wang, "point"), QStringLiteral("2628"));
    EXPECT_TRUE(wang->label("remark")->isHidden());
    EXPECT_EQ(offered(wang), QStringList{"加为好友"});
    UserInfo* zhao = page("5");
    EXPECT_EQ(value(zhao, "realname"), QStringLiteral("赵磊"));
}

TEST_F(UserPages, AddingAFriendSaysSoAndLeavesThePageAsItWas) {
    as("newbie");
    UserInfo* zhao = page("5");
    const Dict record = zhao->record();
    const std::size_t before = sent("user/apply.aspx").size();
    ASSERT_TRUE(choose(zhao, QStringLiteral("加为好友")));
    const Dict asked = nextRequest("user/apply.aspx", before);
    EXPECT_EQ(asked.getStringValueForKey("id", ""), "5");
    EXPECT_EQ(asked.getStringValueForKey("operate", ""), "1");
    EXPECT_TRUE(waitFor([] { return currentToast() == QStringLiteral("好友请求已发送"); }));
    EXPECT_FALSE(zhao->param().param().contains("operate"));
    EXPECT_FALSE(zhao->param().param().contains("code"));
    EXPECT_EQ(zhao->record(), record) << "the answer is not taken for the record";
    EXPECT_EQ(zhao->tabBar()->selectedItem(), nullptr);
}

TEST_F(UserPages, AFriendIsMovedToAGroupOrDeletedAndThePagePops) {
    as("demo");
    UserInfo* wang = page("2");
    ASSERT_TRUE(choose(wang, QStringLiteral("移动分组")));
    ASSERT_TRUE(waitFor([&] { return !wang->picker()->isHidden(); }));
    ASSERT_EQ(wang->picker()->titles(), (QStringList{"默认分组", "黑名单", "同事"}));
    wang->picker()->selectRow(2);
    const std::size_t moves = sent("user/setgroup.aspx").size();
    ASSERT_TRUE(tap(wang->picker()->confirmButton()));
    const Dict moved = nextRequest("user/setgroup.aspx", moves);
    EXPECT_EQ(moved.getStringValueForKey("gid", ""), "3");
    EXPECT_EQ(moved.getStringValueForKey("id", ""), "2");
    ASSERT_TRUE(waitFor([&] { return top() != wang; }));
    EXPECT_EQ(qobject_cast<QXViewController*>(top()), nullptr);

    UserInfo* li = page("3");
    ASSERT_TRUE(choose(li, QStringLiteral("删除好友")));
    EXPECT_EQ(alertMessage(), QStringLiteral("您确定要删除李华吗?"));
    const std::size_t before = sent("user/apply.aspx").size();
    ASSERT_TRUE(answer(QStringLiteral("删除")));
    EXPECT_EQ(nextRequest("user/apply.aspx", before).getStringValueForKey("operate", ""), "2");
    EXPECT_TRUE(waitFor([&] { return top() != li; }));
}

TEST_F(UserPages, TheOwnIdOpensTheProfileAndNoIdOpensNothing) {
    as("demo");
    open(new ViewController);
    ViewController* start = top();
    RootScreenServices::shared().showUserInfo(0);
    processEvents();
    EXPECT_EQ(top(), start);
    RootScreenServices::shared().showUserInfo(1);
    processEvents();
    EXPECT_NE(qobject_cast<Profile*>(top()), nullptr);
    nav()->popViewControllerAnimated(false);
    RootScreenServices::shared().showUserInfo(2);
    processEvents();
    auto* other = qobject_cast<UserInfo*>(top());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->param().rid(), "2");
}

}  // namespace
