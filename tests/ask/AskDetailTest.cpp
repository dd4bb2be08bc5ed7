// A question's detail against the demo service: the rows of the record,
// the tab items each viewer gets, answering, choosing the best answer,
// closing, the pictures, and a long list of answers.
#include "ask/AskDetail.h"
#include "ask/AskDetailView.h"
#include "ask/AskForm.h"
#include "ask/AskReply.h"
#include "ask/ReplyItem.h"
#include "framework/ImageViewShow.h"
#include "framework/NetButton.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextView.h"
#include "property/ToveraDetail.h"
#include "service/DemoService.h"
#include "tests/ask/AskUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// demo's questions: 60001 about project 1001 with a best answer, 60002
// closed, 60003 open with two pictures, 60004 with a customer-service answer.
class AskDetailTest : public tovera::testing::AskUiTest {
protected:
    AskDetail* openQuestion(const std::string& id) {
        auto* detail = new AskDetail;
        detail->param().setRid(id);
        open(detail);
        EXPECT_TRUE(waitFor([&] { return !detail->detail().empty(); }));
        EXPECT_TRUE(waitFor([&] { return answersIn(detail); }));
        processEvents();
        return detail;
    }
    // Whether the answer list has its first page.
    static bool answersIn(AskDetail* detail) {
        AskReply* reply = detail->scrollView()->askReply();
        return reply && reply->tableView()->tableFooterView() != nullptr
                   ? true
                   : reply && !reply->dataArray().empty();
    }
    static QStringList tabTitles(AskDetail* detail) {
        QStringList titles;
        for (TabBarItem* item : detail->tabBar()->items())
            titles << item->title();
        return titles;
    }
    void tapTab(AskDetail* detail, const QString& title) {
        for (TabBarItem* item : detail->tabBar()->items())
            if (item->title() == title) {
                ASSERT_TRUE(tapSettled(detail->tabBar()->viewForItem(item)));
                processEvents();
                return;
            }
        FAIL() << "no tab item " << title.toStdString();
    }
    // Scrolls the question so that `widget` shows above the tab bar.
    static void reveal(AskDetail* detail, QWidget* widget) {
        AskDetailView* content = detail->scrollView();
        const QPoint at = widget->mapTo(content->mainView(), QPoint(0, 0));
        content->setContentOffset(QPointF(0, std::max(0, at.y() - 100)));
        processEvents();
    }
    static QList<ReplyItem*> answerRows(AskDetail* detail) {
        return findAllByClass<ReplyItem>(detail->scrollView()->askReply()->tableView());
    }
};

TEST_F(AskDetailTest, TabItemsFollowTheViewerAndTheQuestionsState) {
    struct Case {
        const char* user;
        const char* password;
        const char* question;
        QStringList tabs;
    };
    const Case cases[] = {
        {"demo", "demo1234", "60003", {"提问", "关闭", "回答"}},
        {"demo", "demo1234", "60002", {"关闭", "提问"}},
        {"wangfang", "wang12345", "60003", {"提问", "回答"}},
        {"wangfang", "wang12345", "60002", {"提问"}},
        {nullptr, nullptr, "60003", {"提问", "回答"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user ? c.user : "signed out") + " " + c.question);
        if (c.user)
            login(c.user, c.password);
        else
            session().setUid(std::nullopt, std::nullopt, "3401");
        AskDetail* detail = openQuestion(c.question);
        EXPECT_EQ(tabTitles(detail), c.tabs);
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
}

TEST_F(AskDetailTest, TheRowsOfTheRecordAndWhereTheyLead) {
    login("wangfang", "wang12345");
    AskDetail* detail = openQuestion("60001");
    AskDetailView* content = detail->scrollView();
    // Project link first, then the title, the asker, the text, the best answer.
    Button* project = nullptr;
    for (Button* button : findAllByClass<Button>(content->mainView()))
        if (button->currentTitle() == QStringLiteral("楼盘")) project = button;
    ASSERT_TRUE(project);
    EXPECT_EQ(project->frame().top(), 5);
    EXPECT_TRUE(findByText(content->mainView(), QStringLiteral("最佳答案")));
    EXPECT_TRUE(findByText(content->mainView(), QStringLiteral("其他答案")));
    EXPECT_FALSE(findByText(content->mainView(), QStringLiteral("客服答案")));
    ASSERT_TRUE(tapSettled(project));
    auto* house = qobject_cast<ToveraDetail*>(top());
    ASSERT_TRUE(house);
    EXPECT_EQ(house->param().rid(), "1001");
    nav()->popViewControllerAnimated(false);
    processEvents();
    // The asker's name opens the asker's page.
    ASSERT_TRUE(tapSettled(findByText(content->mainView(), QStringLiteral("demo"))));
    EXPECT_TRUE(top()->title() == QStringLiteral("用户资料") ||
                top()->title() == QStringLiteral("个人资料"));
    nav()->popViewControllerAnimated(false);
    processEvents();

    AskDetail* service = openQuestion("60004");
    EXPECT_TRUE(findByText(service->scrollView()->mainView(), QStringLiteral("客服答案")));
    EXPECT_TRUE(findByText(service->scrollView()->mainView(), QStringLiteral("客服小安")));
    // Without a project the title is the first row.
    EXPECT_FALSE(findByText(service->scrollView()->mainView(), QStringLiteral("楼盘"), false));
}

TEST_F(AskDetailTest, TheFirstPictureShowsAndOpensAllOfThemInTheViewer) {
    AskDetail* detail = openQuestion("60003");
    AskDetailView* content = detail->scrollView();
    ASSERT_EQ(content->imgArray().size(), 2u);
    NetButton* picture = content->pictureButton();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->frame().size(), QSizeF(60, 60));
    EXPECT_EQ(picture->imgUrl(), content->imgArray().front());
    ASSERT_TRUE(tapSettled(picture));
    ImageViewShow* viewer = ImageViewShow::inWindow(Window::keyWindow());
    ASSERT_TRUE(viewer);
    EXPECT_FALSE(viewer->isHidden());
    EXPECT_EQ(viewer->imgurlArray(), content->imgArray());
    viewer->setHidden(true);
}

TEST_F(AskDetailTest, AnswerChooseTheBestAndCloseThenAnotherUserSeesItSolved) {
    // An answer by another user, written through the tab item.
    login("wangfang", "wang12345");
    AskDetail* detail = openQuestion("60003");
    const std::size_t answersBefore = detail->scrollView()->askReply()->dataArray().size();
    tapTab(detail, QStringLiteral("回答"));
    auto* form = qobject_cast<AskForm*>(top());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->title(), QStringLiteral("回答咨询"));
    EXPECT_EQ(form->type(), 3);
    fill(form, {}, QStringLiteral("师范附小的学区很抢手"));
    submit(form);
    ASSERT_TRUE(waitFor([&] { return top() == detail; }));
    ASSERT_TRUE(waitFor(
        [&] { return detail->scrollView()->askReply()->dataArray().size() == answersBefore + 1; }));
    processEvents();
    // Nobody but the asker gets the best-answer button.
    for (ReplyItem* row : answerRows(detail))
        EXPECT_TRUE(row->bestBtn()->isHidden());
    nav()->popViewControllerAnimated(false);
    processEvents();

    // The asker chooses it: others' answers offer the choice.
    login("demo", "demo1234");
    detail = openQuestion("60003");
    ReplyItem* chosen = nullptr;
    for (ReplyItem* row : answerRows(detail)) {
        EXPECT_EQ(row->bestBtn()->isHidden(), row->userBtn()->currentTitle() == "demo");
        if (row->replyText()->text() == QStringLiteral("师范附小的学区很抢手")) chosen = row;
    }
    ASSERT_TRUE(chosen);
    const std::size_t detailAsks = demoService()->requestsTo("ask/detail.aspx").size();
    reveal(detail, chosen->bestBtn());
    ASSERT_TRUE(tapSettled(chosen->bestBtn()));
    ASSERT_TRUE(waitFor([&] {
        return demoService()->requestsTo("ask/detail.aspx").size() > detailAsks &&
               !detail->detail().empty() && answersIn(detail);
    }));
    EXPECT_EQ(currentToast(), QStringLiteral("设置成功"));
    const auto best = demoService()->requestsTo("user/bestanswer.aspx");
    ASSERT_EQ(best.size(), 1u);
    EXPECT_EQ(best[0].params.getStringValueForKey("aid", ""), "60003");
    // The answer list still asks for this question's answers.
    EXPECT_EQ(detail->scrollView()->askReply()->param().rid(), "60003");
    EXPECT_EQ(detail->detail().getStringValueForKey("besttext", ""), "师范附小的学区很抢手");
    EXPECT_TRUE(findByText(detail->scrollView()->mainView(), QStringLiteral("最佳答案")));

    // Closing asks first, and says what it does.
    tapTab(detail, QStringLiteral("关闭"));
    const std::optional<OverlayInfo> ask = currentAlert();
    ASSERT_TRUE(ask);
    EXPECT_EQ(ask->message, QStringLiteral("您确定要关闭咨询?"));
    ASSERT_TRUE(answerAlert(QStringLiteral("确定")));
    ASSERT_TRUE(waitFor([&] { return top() != detail; }));
    const auto closed = demoService()->requestsTo("user/close.aspx");
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].params.getStringValueForKey("id", ""), "60003");
    EXPECT_EQ(closed[0].params.getStringValueForKey("operate", ""), "2");

    // Another user finds it solved and closed: nothing to answer.
    login("wangfang", "wang12345");
    detail = openQuestion("60003");
    EXPECT_EQ(detail->detail().getStringValueForKey("solve", ""), "1");
    EXPECT_EQ(tabTitles(detail), QStringList{QStringLiteral("提问")});
}

TEST_F(AskDetailTest, AQuestionWithTwentyFiveAnswersShowsThemAll) {
    login("zhaolei", "zhao12345");
    for (int i = 1; i <= 25; ++i) {
        Value reply =
            post(Dict{{"type", "3"}, {"id", "60003"}, {"text", "回答" + std::to_string(i)}});
        ASSERT_EQ(reply.getStringValueForKey("code", ""), "0");
    }
    AskDetail* detail = openQuestion("60003");
    AskReply* answers = detail->scrollView()->askReply();
    ASSERT_TRUE(waitFor([&] { return answers->dataArray().size() >= 25u; }));
    processEvents();
    EXPECT_EQ(int(answers->dataArray().size()), answers->total());
    // The list is as tall as its rows, and the content scrolls to its end.
    EXPECT_DOUBLE_EQ(answers->frame().height(), answers->tableHeight());
    EXPECT_GE(detail->scrollView()->contentSize().height(), answers->frame().bottom());
    EXPECT_EQ(answers->tableView()->numberOfRowsInSection(0), int(answers->dataArray().size()));
    EXPECT_TRUE(findByText(answers, QStringLiteral("回答25")));
}

TEST_F(AskDetailTest, AnswersBeyondTheFirstPageAreReachable) {
    // A service that pages the answers: the list offers "加载更多" and
    // appends the next page.
    AskReply& reply = *new AskReply(QRectF(0, 0, 320, 800), window());
    reply.show();
    reply.param().setRid("60001");
    reply.param().setType("2");
    Dict first{{"result", Array{Value(Dict{{"id", "1"}, {"text", "一"}})}}, {"total", "2"}};
    reply.requestDidLoad(nullptr, Value(first));
    ASSERT_TRUE(reply.moreButton());
    EXPECT_EQ(reply.tableView()->tableFooterView(), reply.moreButton());
    ASSERT_TRUE(tap(reply.moreButton()));
    EXPECT_EQ(reply.param().page(), "2");
    Dict second{{"result", Array{Value(Dict{{"id", "2"}, {"text", "二"}})}}, {"total", "2"}};
    reply.requestDidLoad(nullptr, Value(second));
    EXPECT_EQ(reply.dataArray().size(), 2u);
    EXPECT_NE(reply.tableView()->tableFooterView(), reply.moreButton());
}

}  // namespace
