// Comments: the body's emoticon codes, votes, the comment form with the
// emoticon picker, the comment screens, and the article's error report and
// recommendation against the demo service.
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include "comments/CommentCells.h"
#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentItem.h"
#include "comments/CommentList.h"
#include "core/Gb18030.h"
#include "framework/FaceController.h"
#include "framework/GridView.h"
#include "framework/RootScreenServices.h"
#include "news/Correction.h"
#include "news/NetComment.h"
#include "news/Recomment2Friends.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextView.h"
#include "platform/ui/web/WebView.h"
#include "service/DemoService.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class CommentTest : public tovera::testing::NewsUiTest {};

// Taps the tab button titled `title` of the site-wide comment screen.
void chooseTab(NetComment* screen, const QString& title) {
    for (QWidget* child : screen->btnsView()->subviews())
        if (auto* button = qobject_cast<Button*>(child); button && button->currentTitle() == title)
            button->sendTap();
    processEvents();
}

// The pictures and texts a rendered body shows, in order ("img:" + name).
QStringList renderedRuns(WebView* web) {
    QStringList runs;
    auto* browser = web->findChild<QTextBrowser*>();
    if (!browser) return runs;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                const QString name = fragment.charFormat().toImageFormat().name();
                const QVariant picture =
                    browser->document()->resource(QTextDocument::ImageResource, QUrl(name));
                runs << "img:" + name + (picture.isValid() ? "" : "(missing)");
            } else {
                runs << fragment.text();
            }
        }
    return runs;
}

TEST(CommentBody, EmoticonCodesBecomeLocalPictures) {
    struct Case {
        const char* text;
        const char* body;
    } cases[] = {
        {"好[face3]看[Face12]", R"(好<img src="face3.png" />看<img src="face12.png" />)"},
        {"[face123]", "[face123]"},
        {"[smile1]", "[smile1]"},
        {"[|ace1]", R"(<img src="|ace1.png" />)"},
        {"[FACE2]", "[FACE2]"},
        {"a[face1", "a[face1"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString html = CommentItem::localContentHtml(QString::fromUtf8(c.text));
        EXPECT_EQ(html, QStringLiteral("<html><link rel=\"stylesheet\" type=\"text/css\" "
                                       "href=\"style.css\"><body>%1</body></html>")
                            .arg(QString::fromUtf8(c.body)))
            << c.text;
    }
}

TEST_F(CommentTest, ACellShowsItsRecordAndRendersEmoticonsAsPictures) {
    auto* host = open(new ViewController);
    auto* cell = new CommentItem;
    host->view()->addSubview(cell);
    cell->setInfo(Dict{{"id", "31"},
                       {"uid", "5"},
                       {"user", "网友甲"},
                       {"update_at", "2026-01-02 10:00"},
                       {"commenthtml", "好[face3]看[face123]"},
                       {"agree", "4"},
                       {"disagree", "2"},
                       {"catname", "资讯"},
                       {"title", "新盘加推"},
                       {"classtype", "2"},
                       {"cid", "7"}});
    EXPECT_EQ(cell->agreeBtn()->currentTitle(), "支持(4)");
    EXPECT_EQ(cell->disBtn()->currentTitle(), "反对(2)");
    EXPECT_EQ(cell->titleBtn()->currentTitle(), "资讯 新盘加推");
    EXPECT_EQ(cell->titleBtn()->titleLabel()->tag(), 2);
    EXPECT_EQ(cell->titleBtn()->imageView()->tag(), 7);
    EXPECT_EQ(cell->userBtn()->titleLabel()->tag(), 5);
    EXPECT_EQ(cell->param().rid(), "31");
    EXPECT_TRUE(cell->titleBtn()->isHidden());

    ASSERT_TRUE(waitFor([&] { return !cell->commentWeb()->isLoading(); }));
    const QStringList runs = renderedRuns(cell->commentWeb());
    EXPECT_TRUE(runs.join("").contains("好")) << runs.join("|").toStdString();
    EXPECT_TRUE(runs.contains("img:face3.png")) << runs.join("|").toStdString();
    EXPECT_TRUE(runs.join("").contains("[face123]")) << runs.join("|").toStdString();

    // The body's height drives the bar, the block and the cell.
    cell->webViewDidFinishLoad(cell->commentWeb());
    EXPECT_DOUBLE_EQ(cell->btnView()->frame().top(), cell->commentWeb()->frame().bottom());
    EXPECT_DOUBLE_EQ(cell->frame().height(), cell->mainView()->frame().bottom());
    cell->hiddeTitle(false);
    EXPECT_FALSE(cell->titleBtn()->isHidden());
    EXPECT_DOUBLE_EQ(cell->mainView()->frame().top(), cell->titleBtn()->frame().bottom());
}

class VoteTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        useService(server_.base());
    }
    tovera::testing::ScriptedServer server_;
};

TEST_F(VoteTest, OnlyAnAnswerWithCodeZeroCountsTheVote) {
    struct Case {
        const char* reply;
        bool agree;
        const char* title;
        const char* toast;
    } cases[] = {
        {R"({"error_code":200,"code":0,"msg":"投票成功"})", true, "支持(5)", "投票成功"},
        {R"({"error_code":200,"code":0})", false, "反对(3)", "操作成功"},
        {R"({"error_code":200,"code":1,"msg":"您已经投过票了"})", true, "支持(4)", ""},
        {R"({"error_code":200,"msg":"没有结果"})", true, "支持(4)", ""},
        {R"({"error_code":500})", true, "支持(4)", ""},
    };
    auto* host = open(new ViewController);
    for (const Case& c : cases) {
        auto* cell = new CommentItem;
        host->view()->addSubview(cell);
        cell->setInfo(Dict{{"id", "31"}, {"agree", "4"}, {"disagree", "2"}, {"commenthtml", "x"}});
        server_.reply(c.reply);
        const std::size_t before = server_.received().size();
        (c.agree ? cell->agreeBtn() : cell->disBtn())->sendTap();
        ASSERT_TRUE(waitFor([&] { return server_.received().size() > before; }));
        const auto sent = server_.received().back();
        EXPECT_NE(sent.path.find("user/agree.aspx"), std::string::npos);
        EXPECT_NE(sent.target.find(c.agree ? "operate=1" : "operate=0"), std::string::npos);
        EXPECT_NE(sent.target.find("id=31"), std::string::npos);
        Button* counter = c.agree ? cell->agreeBtn() : cell->disBtn();
        if (*c.toast) {
            ASSERT_TRUE(waitFor([&] { return counter->currentTitle() == c.title; })) << c.reply;
            EXPECT_EQ(currentToast(), c.toast);
        } else {
            waitFor([] { return false; }, std::chrono::milliseconds(200));
            EXPECT_EQ(counter->currentTitle(), c.title) << c.reply;
            EXPECT_FALSE(currentAlert().has_value()) << "votes fail silently: " << c.reply;
        }
        cell->deleteLater();
    }
}

TEST_F(CommentTest, ThePickedEmoticonIsAppendedOnceOnReturn) {
    auto* form = open(new CommentForm);
    form->commentText()->setText(QStringLiteral("不错"));
    tap(form->montionBtn());
    processEvents();
    auto* picker = qobject_cast<FaceController*>(top());
    ASSERT_NE(picker, nullptr);
    picker->gridView()->delegate();
    picker->didSelectItemAtPosition(picker->gridView(), 6);
    ASSERT_TRUE(waitFor([&] { return top() == form; }));
    EXPECT_EQ(form->commentText()->text(), "不错[Face7]");
    EXPECT_TRUE(RootScreenServices::shared().getParam("face").isNull());

    // A value that names no picture is left alone for whoever put it there.
    RootScreenServices::shared().saveParam("abc", "face");
    form->navigationControllerWillShow(nav(), form, false);
    EXPECT_EQ(form->commentText()->text(), "不错[Face7]");
    EXPECT_EQ(RootScreenServices::shared().getParam("face"), Value("abc"));
}

TEST_F(CommentTest, ARefusedCommentKeepsTheFormAndItsText) {
    tovera::testing::ScriptedServer server;
    useService(server.base());
    server.reply(R"({"error_code":200,"code":1,"msg":"内容不能为空"})");
    auto* form = new CommentForm;
    form->param().setRid("7");
    form->param().setPtype("1");
    open(form);
    form->commentText()->setText(QStringLiteral("第一条"));
    tapRightButton(form);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, "内容不能为空");
    answerAlert(0);
    processEvents();
    EXPECT_EQ(top(), form);
    EXPECT_EQ(form->commentText()->text(), "第一条");
    ASSERT_FALSE(server.received().empty());
    const auto sent = server.received().back();
    EXPECT_NE(sent.path.find("user/messagepost.aspx"), std::string::npos);
    const auto text = sent.files.find("text");
    ASSERT_NE(text, sent.files.end());
    EXPECT_EQ(text->second.content, gb18030::fromUtf8Lossy("第一条"));
}

class DemoCommentTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
    }
    // The friend picker of a signed-in demo user for article 50001, once
    // its friends are listed (null when they never are).
    Recomment2Friends* openPicker(const char* api) {
        login("李华", "lihua123");
        auto* picker = new Recomment2Friends;
        picker->param().setApi(api);
        picker->param().setRid("50001");
        picker->param().setType("1");
        open(picker);
        return waitFor([&] { return !picker->dataArray().empty(); }) ? picker : nullptr;
    }
};

TEST_F(DemoCommentTest, ACorrectionReachesTheServiceOnlyWithTextAndASignedInUser) {
    auto* correction = new Correction;
    correction->param().setRid("50001");
    correction->param().setPtype("1");
    open(correction);

    tapRightButton(correction);
    EXPECT_EQ(currentToast(), "内容不能为空");
    EXPECT_EQ(top(), correction);

    correction->textView()->setText(QStringLiteral("标题中的面积有误"));
    tapRightButton(correction);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << "signed out: login prompt";
    EXPECT_EQ(currentAlert()->message, "您还没有登录，请登录!");
    answerAlert(1);
    processEvents();
    EXPECT_EQ(top(), correction);

    login("李华", "lihua123");
    tapRightButton(correction);
    ASSERT_TRUE(waitFor([&] { return top() != correction; }));
    EXPECT_EQ(currentToast(), "发布成功");
}

TEST_F(DemoCommentTest, ARecommendationGoesToTheCheckedFriendsAndClosesThePicker) {
    Recomment2Friends* picker = openPicker("recommend");
    ASSERT_NE(picker, nullptr);

    // Checking twice unchecks.
    picker->didSelectRowAtIndexPath(picker->tableView(), {0, 0});
    picker->didSelectRowAtIndexPath(picker->tableView(), {0, 0});
    EXPECT_TRUE(picker->uids().empty());
    picker->didSelectRowAtIndexPath(picker->tableView(), {0, 0});
    ASSERT_EQ(picker->uids().size(), 1u);
    tapRightButton(picker);
    ASSERT_TRUE(waitFor([&] { return top() != picker; }));
    EXPECT_EQ(currentToast(), "推荐成功");
}

TEST_F(DemoCommentTest, WithNoFriendCheckedNothingIsSentAndThePickerSaysSo) {
    Recomment2Friends* picker = openPicker("recommend");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(tap(findByText(nav()->navigationBar(), QStringLiteral("确定"))));
    ASSERT_TRUE(waitFor([&] { return top() != picker; }));
    EXPECT_EQ(currentToast(), "未选择好友");
    EXPECT_TRUE(demoService()->requestsTo("user/recommand.aspx").empty());
}

TEST_F(DemoCommentTest, AnEmptyCorrectionSaysSoWhenSubmittedWithTheMouse) {
    login("李华", "lihua123");
    auto* correction = new Correction;
    correction->param().setRid("50001");
    open(correction);
    ASSERT_TRUE(waitFor([&] { return correction->textView()->isFirstResponder(); }));
    ASSERT_TRUE(tap(findByText(nav()->navigationBar(), QStringLiteral("提交"))));
    EXPECT_EQ(currentToast(), "内容不能为空");
    EXPECT_EQ(top(), correction);

    // Blanks alone are no report either: nothing goes to the service.
    const std::size_t sent = demoService()->operationCount();
    ASSERT_TRUE(type(correction->textView(), QStringLiteral("  \n ")));
    ASSERT_TRUE(tap(findByText(nav()->navigationBar(), QStringLiteral("提交"))));
    processEvents();
    EXPECT_EQ(currentToast(), "内容不能为空");
    EXPECT_EQ(top(), correction);
    EXPECT_EQ(demoService()->operationCount(), sent);
}

TEST_F(DemoCommentTest, AsARecipientPickerItLeavesTheNamesForTheForm) {
    Recomment2Friends* picker = openPicker("userlist");
    ASSERT_NE(picker, nullptr);
    // Every friend checked, in row order: the names come last-checked first.
    std::string expected;
    for (int row = 0; row < int(picker->dataArray().size()); ++row) {
        picker->didSelectRowAtIndexPath(picker->tableView(), {0, row});
        const std::string name =
            picker->dataArray()[std::size_t(row)].getStringValueForKey("name", "");
        expected = expected.empty() ? name : name + "," + expected;
    }
    tapRightButton(picker);
    EXPECT_EQ(RootScreenServices::shared().getParam("users"), Value(expected));
    EXPECT_NE(top(), picker);
}

TEST_F(DemoCommentTest, SiteWideListingsFollowTheTabsAndOpenTheObjectsComments) {
    auto* screen = open(new NetComment);
    CommentList* list = screen->commentList();
    ASSERT_TRUE(waitFor([&] { return !list->commentArray().empty(); }));
    EXPECT_EQ(list->param().type(), "6");
    EXPECT_FALSE(list->hiddeTitle());
    // Once every body rendered, each row is as tall as its cell needs.
    ASSERT_TRUE(waitFor([&] { return list->cells()->needReload(); }));
    fastForward(std::chrono::milliseconds(600));
    ASSERT_TRUE(list->cells()->measured());
    for (int row = 0; row < list->cells()->count(); ++row) {
        CommentItem* cell = list->cells()->builtCell(row);
        ASSERT_NE(cell, nullptr);
        EXPECT_FALSE(cell->titleBtn()->isHidden());
        EXPECT_DOUBLE_EQ(list->tableView()->rectForRowAtIndexPath({0, row}).height(),
                         cell->rowHeight())
            << row;
        EXPECT_GT(cell->rowHeight(), cell->mainView()->frame().top() + 26 + 30 + 10) << row;
    }

    chooseTab(screen, QStringLiteral("最新评论"));
    EXPECT_EQ(list->param().type(), "8");
    ASSERT_TRUE(waitFor([&] { return !list->commentArray().empty(); }));

    // The article comments of a row open with the article's title on top.
    int articleRow = -1;
    for (std::size_t i = 0; i < list->commentArray().size(); ++i)
        if (list->commentArray()[i].getIntValueForKey("classtype", 1) == 2) articleRow = int(i);
    ASSERT_GE(articleRow, 0);
    const Value row = list->commentArray()[std::size_t(articleRow)];
    list->didSelectRowAtIndexPath(list->tableView(), {0, articleRow});
    processEvents();
    auto* detail = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->commentList()->param().rid(), row.getStringValueForKey("cid", "0"));
    EXPECT_EQ(detail->commentList()->param().type(), "1");
    EXPECT_EQ(detail->commentList()->headerView()->text().toStdString(),
              row.getStringValueForKey("title", ""));
    ASSERT_TRUE(waitFor([&] { return !detail->commentList()->commentArray().empty(); }));
}

TEST_F(DemoCommentTest, MyCommentsOfASignedOutUserShowNone) {
    auto* screen = open(new NetComment);
    CommentList* list = screen->commentList();
    chooseTab(screen, QStringLiteral("我的评论"));
    EXPECT_EQ(list->param().type(), "9");
    ASSERT_TRUE(
        waitFor([&] { return list->tableView()->tableFooterView() == list->noItemView(); }));
    EXPECT_TRUE(list->commentArray().empty());
}

}  // namespace
