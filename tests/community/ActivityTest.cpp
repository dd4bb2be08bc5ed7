// The activities against the demo service: the two listings, the detail
// with the tab items each activity allows, its comments filed under the
// activity, the call, and signing up through the service's web form.
#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "community/ActivityDetail.h"
#include "community/ActivityHome.h"
#include "community/ActivityItem.h"
#include "community/ApplyActivity.h"
#include "framework/ActivityView.h"
#include "framework/ButtonsView.h"
#include "platform/Dialer.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

constexpr auto kPageLoad = std::chrono::seconds(60);

// demo's activities of 3401: 40001 open with a telephone, 40004 open
// without one, 40003 open with no description.
class ActivityTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
        session().setCityId("3401");
    }
    ActivityDetail* openActivity(const std::string& id) {
        auto* detail = new ActivityDetail;
        detail->param().setRid(id);
        open(detail);
        EXPECT_TRUE(waitFor([&] { return !detail->detail().empty(); }));
        EXPECT_TRUE(
            waitFor([&] { return detail->commentTable()->tableView()->tableHeaderView(); }));
        processEvents();
        return detail;
    }
    static QStringList tabTitles(ActivityDetail* detail) {
        QStringList titles;
        for (TabBarItem* item : detail->tabBar()->items())
            titles << item->title();
        return titles;
    }
    static void chooseTab(ActivityDetail* detail, ActivityDetail::TabItem tag) {
        const QList<TabBarItem*> items = detail->tabBar()->items();
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->tag() == tag) {
                detail->tabBar()->chooseItem(i);
                processEvents();
                return;
            }
        ADD_FAILURE() << "no tab item " << tag;
    }
    std::vector<service::RecordedRequest> requests(std::string_view path) {
        return demoService()->requestsTo(path);
    }
    // Writes `text` in the comment form on top and sends it.
    void writeComment(const QString& text) {
        auto* form = qobject_cast<CommentForm*>(top());
        ASSERT_NE(form, nullptr);
        form->commentText()->setText(text);
        tapRightButton(form);
    }
};

TEST_F(ActivityTest, TheTabsListCurrentAndPastActivitiesAsTheSignedInUser) {
    login("demo", "demo1234");
    auto* home = open(new ActivityHome);
    ASSERT_TRUE(waitFor([&] { return !home->items().empty(); }));
    EXPECT_EQ(home->title(), QStringLiteral("活动"));
    auto list = requests("activity/list.aspx");
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.back().params["t"].toText(), "1");
    EXPECT_EQ(list.back().params["uid"].toText(), *session().userId());
    processEvents();
    auto* row = findByClass<ActivityItem>(home->tableView());
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->userBtn()->isHidden());
    EXPECT_TRUE(row->dateLbl()->text().startsWith(QStringLiteral("报名截止:")));
    EXPECT_EQ(home->tableView()->tag(), home->total());

    const std::string firstOpen = home->items()[0].getStringValueForKey("id", "");
    ASSERT_TRUE(tapSettled(findByText(home->btnView(), QStringLiteral("历史活动"))));
    ASSERT_TRUE(waitFor([&] {
        return requests("activity/list.aspx").back().params["t"].toText() == "2" &&
               !home->items().empty() &&
               home->items()[0].getStringValueForKey("id", "") != firstOpen;
    }));

    // A row opens its activity.
    ASSERT_TRUE(tapSettled(findByClass<ActivityItem>(home->tableView())));
    auto* detail = qobject_cast<ActivityDetail*>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->param().rid(), home->items()[0].getStringValueForKey("id", ""));
}

TEST_F(ActivityTest, TheCellShowsEitherShapeOfRecord) {
    ActivityItem cell;
    cell.setInfo(Dict{{"id", "1"}, {"name", "看房团"}, {"endtime", "2026-12-30"}});
    EXPECT_TRUE(cell.userBtn()->isHidden());
    EXPECT_EQ(cell.titleLbl()->text(), QStringLiteral("看房团"));
    EXPECT_EQ(cell.dateLbl()->text(), QStringLiteral("报名截止:2026-12-30"));
    cell.setInfo(
        Dict{{"user", "wangfang"}, {"title", "团购心得"}, {"update_at", "2026-12-01 10:00"}});
    EXPECT_FALSE(cell.userBtn()->isHidden());
    EXPECT_EQ(cell.userBtn()->titleForState(Button::Normal), QStringLiteral("wangfang"));
    EXPECT_EQ(cell.titleLbl()->text(), QStringLiteral("团购心得"));
    EXPECT_EQ(cell.dateLbl()->text(), QStringLiteral("2026-12-01 10:00"));
}

TEST_F(ActivityTest, TheDetailOffersTheItemsTheActivityAllows) {
    ActivityDetail* detail = openActivity("40001");
    EXPECT_EQ(detail->nameLbl()->text(), QStringLiteral("橡树天地样板间开放日"));
    EXPECT_TRUE(detail->joinsLbl()->text().startsWith(QStringLiteral("当前报名:")));
    EXPECT_EQ(detail->telLbl()->text(), QStringLiteral("咨询电话:0551-65554583"));
    EXPECT_FALSE(detail->telLbl()->isHidden());
    EXPECT_EQ(tabTitles(detail).size(), 3);
    EXPECT_TRUE(waitFor([&] {
        return detail->navigationItem()->rightBarButtonItem()->title() ==
               QStringLiteral("评论(%1)").arg(detail->commentTable()->tableView()->tag());
    }));
    auto comments = requests("system/comment_list.aspx");
    ASSERT_FALSE(comments.empty());
    EXPECT_EQ(comments.back().params["t"].toText(), "3");
    EXPECT_EQ(comments.back().params["id"].toText(), "40001");

    // Replies the service could send: no telephone, closed, "isend" missing.
    const struct {
        Dict reply;
        QList<int> tags;
    } cases[] = {
        {Dict{{"id", "1"}, {"tel", ""}, {"isend", "0"}},
         {ActivityDetail::kComment, ActivityDetail::kApply}},
        {Dict{{"id", "1"}, {"tel", ""}, {"isend", "1"}}, {ActivityDetail::kComment}},
        {Dict{{"id", "1"}, {"tel", "0551-1"}}, {ActivityDetail::kComment, ActivityDetail::kCall}},
    };
    for (const auto& c : cases) {
        detail->didLoad(Value(c.reply), nullptr);
        QList<int> tags;
        for (TabBarItem* item : detail->tabBar()->items())
            tags << item->tag();
        EXPECT_EQ(tags, c.tags);
    }
    EXPECT_TRUE(detail->telLbl()->isHidden() == false);
    detail->didLoad(Value(Dict{{"tel", ""}}), nullptr);
    EXPECT_TRUE(detail->telLbl()->isHidden());
}

TEST_F(ActivityTest, AnEmptyDescriptionReadsNoIntroductionAndLocalFilesStayOut) {
    ActivityDetail* detail = openActivity("40003");
    EXPECT_TRUE(detail->infoWeb()->visibleText().contains(QStringLiteral("暂无介绍")));
    // A link in the service's text leaves nothing for a local file.
    EXPECT_FALSE(detail->shouldStartLoadWithRequest(detail->infoWeb(), QUrl("file:///etc/passwd"),
                                                    NavigationType::LinkClicked));
}

TEST_F(ActivityTest, CommentsWrittenFromTheDetailAreFiledUnderTheActivity) {
    login("demo", "demo1234");
    ActivityDetail* detail = openActivity("40001");
    chooseTab(detail, ActivityDetail::kComment);
    writeComment(QStringLiteral("报名了，期待"));
    ASSERT_TRUE(waitFor([&] { return top() == detail; }));
    auto posts = requests("user/messagepost.aspx");
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(posts.back().params["ptype"].toText(), "3");
    EXPECT_EQ(posts.back().params["id"].toText(), "40001");
    ASSERT_TRUE(waitFor([&] {
        const Array& rows = detail->commentTable()->commentArray();
        return !rows.empty() &&
               rows[0].getStringValueForKey("commenthtml", "").find("报名了，期待") !=
                   std::string::npos;
    }));

    // All comments, and a comment written from there.
    tapRightButton(detail);
    auto* all = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->commentList()->param().type(), "3");
    ASSERT_TRUE(waitFor([&] { return !all->commentList()->items().empty(); }));
    all->postComment();
    processEvents();
    writeComment(QStringLiteral("再来一条"));
    ASSERT_TRUE(waitFor([&] { return top() == all; }));
    posts = requests("user/messagepost.aspx");
    EXPECT_EQ(posts.back().params["ptype"].toText(), "3");
    EXPECT_EQ(posts.back().params["id"].toText(), "40001");
}

TEST_F(ActivityTest, TheCallItemDialsTheNumberAndAMissingNumberSaysSo) {
    ActivityDetail* detail = openActivity("40001");
    platform::Dialer::shared().clearRequests();
    chooseTab(detail, ActivityDetail::kCall);
    auto sheet = currentActionSheet();
    ASSERT_TRUE(sheet.has_value());
    EXPECT_TRUE(sheet->title.isEmpty());
    EXPECT_EQ(sheet->buttons,
              QStringList({QStringLiteral("拨打:0551-65554583?"), QStringLiteral("取消")}));
    ASSERT_TRUE(answerActionSheet(0));
    ASSERT_EQ(platform::Dialer::shared().requests().size(), 1u);
    EXPECT_EQ(platform::Dialer::shared().requests()[0], "tel:0551-65554583");
    EXPECT_EQ(detail->tabBar()->selectedItem(), nullptr);

    detail->didLoad(Value(Dict{{"tel", " "}}), nullptr);
    detail->call();
    EXPECT_EQ(currentToast(), QStringLiteral("没有提供相关号码!"));
    EXPECT_FALSE(currentActionSheet().has_value());
}

TEST_F(ActivityTest, FailuresShowTheAlertsAndKeepTheScreen) {
    demoService()->injectFault("activity/detail.aspx", {service::Fault::Kind::kDrop});
    auto* detail = new ActivityDetail;
    detail->param().setRid("40001");
    open(detail);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    answerAlert(0);

    auto* unknown = new ActivityDetail;
    unknown->param().setRid("1");
    open(unknown);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("该活动不存在"));
    answerAlert(0);
    EXPECT_EQ(top(), unknown);
}

TEST(ApplyActivityCode, OnlyAWholeNumberIsAResult) {
    const struct {
        std::optional<QString> text;
        int code;
    } cases[] = {
        {std::nullopt, 1},          {QString(), 1},
        {QStringLiteral("0"), 0},   {QStringLiteral(" 0\n"), 0},
        {QStringLiteral("abc"), 1}, {QStringLiteral("2"), 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyActivity::resultCode(c.text), c.code)
            << c.text.value_or("(none)").toStdString();
}

// Fills the sign-up form in the page and submits it, as a user would.
void submitForm(ApplyActivity* apply, const QString& name, const QString& tel) {
    bool done = false;
    apply->webView()->evaluateJavaScript(
        QStringLiteral("var f=document.forms[0];f.elements['name'].value='%1';"
                       "f.elements['tel'].value='%2';f.querySelector('button').click();'ok'")
            .arg(name, tel),
        [&](const std::optional<QString>&) { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
}

TEST_F(ActivityTest, SigningUpIsRecordedForTheUserAndARefusalIsNoSuccess) {
    login("demo", "demo1234");
    ActivityDetail* detail = openActivity("40001");
    const QString joinsBefore = detail->joinsLbl()->text();
    chooseTab(detail, ActivityDetail::kApply);
    auto* apply = qobject_cast<ApplyActivity*>(top());
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->title(), QStringLiteral("活动报名"));
    ASSERT_TRUE(waitFor(
        [&] {
            return !apply->webView()->isLoading() &&
                   apply->webView()->visibleText().contains(QStringLiteral("人数"));
        },
        kPageLoad))
        << apply->webView()->visibleText().toStdString();
    EXPECT_TRUE(apply->webView()->url().query().contains("access_token="));

    // A refused form: the left button goes back a page.
    submitForm(apply, "", "");
    ASSERT_TRUE(waitFor(
        [&] {
            BarButtonItem* left = apply->navigationItem()->leftBarButtonItem();
            return left && left->title() == QStringLiteral("后退");
        },
        kPageLoad));
    EXPECT_EQ(detail->joinsLbl()->text(), joinsBefore);

    submitForm(apply, QStringLiteral("张三"), "13900001111");
    ASSERT_TRUE(
        waitFor([&] { return apply->webView()->visibleText().contains("报名成功"); }, kPageLoad));
    ASSERT_TRUE(waitFor([&] {
        BarButtonItem* left = apply->navigationItem()->leftBarButtonItem();
        return !left || left->title() != QStringLiteral("后退");
    }));
    EXPECT_TRUE(apply->webView()->visibleText().contains(QStringLiteral("报名账号：demo")))
        << apply->webView()->visibleText().toStdString()
        << apply->webView()->url().toString().toStdString();
    // The activity beneath counts the new sign-up.
    ASSERT_TRUE(waitFor(
        [&] { return !detail->detail().empty() && detail->joinsLbl()->text() != joinsBefore; }));
}

}  // namespace
