// The buttons inside list rows, tapped where they are drawn: each does its
// own action (a vote reaches the demo service, a reply or a recommendation
// opens its form) and never opens the row it sits in.
#include "comments/CommentCells.h"
#include "comments/CommentDetail.h"
#include "comments/CommentForm.h"
#include "comments/CommentItem.h"
#include "comments/CommentList.h"
#include "comments/CommentTableView.h"
#include "news/MyNews.h"
#include "news/MyNewsItem.h"
#include "news/NetComment.h"
#include "news/NewsInfo.h"
#include "news/Recomment2Friends.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class RowButtonsTest : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
        login("demo", "demo1234");
    }

    std::vector<service::RecordedRequest> votes() const {
        return demoService()->requestsTo("user/agree.aspx");
    }
    // Waits until every row of `cells` is measured with its rendered body.
    static bool measured(CommentCells* cells) {
        if (!waitFor([&] { return cells->count() > 0 && cells->needReload(); })) return false;
        fastForward(std::chrono::milliseconds(600));
        return cells->measured();
    }
    // Taps the vote button of `row` where it is drawn: the vote reaches the
    // service, the counter goes up, and the screen stays.
    void voteOnRow(CommentCells* cells, int row, bool agree) {
        CommentItem* cell = cells->builtCell(row);
        ASSERT_NE(cell, nullptr);
        Button* counter = agree ? cell->agreeBtn() : cell->disBtn();
        const int count = counter->tag();
        ViewController* screen = top();
        const std::size_t before = votes().size();
        ASSERT_TRUE(tapSettled(counter));
        ASSERT_TRUE(waitFor([&] { return votes().size() == before + 1; }))
            << counter->currentTitle().toStdString() << " sends no vote";
        const Dict sent = votes().back().params;
        EXPECT_EQ(sent.getStringValueForKey("operate", ""), agree ? "1" : "0");
        EXPECT_EQ(sent.getStringValueForKey("id", ""), cell->param().rid());
        EXPECT_TRUE(waitFor([&] { return counter->tag() == count + 1; }));
        EXPECT_EQ(top(), screen) << "the row is not opened";
    }
    // Taps "回复" of the first row: the form for a reply to that comment.
    void replyToFirstRow(CommentCells* cells) {
        CommentItem* cell = cells->builtCell(0);
        ASSERT_NE(cell, nullptr);
        ASSERT_TRUE(tapSettled(cell->replyBtn()));
        processEvents();
        auto* form = qobject_cast<CommentForm*>(top());
        ASSERT_NE(form, nullptr) << "回复 opens the comment form";
        EXPECT_EQ(form->param().rid(), cell->param().rid());
        EXPECT_EQ(form->param().ptype(), "6");
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
};

TEST_F(RowButtonsTest, VotesAndRepliesOfAnArticlesComments) {
    auto* info = new NewsInfo;
    info->param().setRid("50001");
    open(info);
    CommentTableView* block = info->commentTable();
    ASSERT_TRUE(measured(block->cells()));
    // The block under the body, dragged into view.
    ScrollView* scroll = info->scrollView();
    Button* agree = block->cells()->builtCell(0)->agreeBtn();
    const double below = agree->mapTo(scroll, QPoint(0, 0)).y() - scroll->height() / 2.0;
    if (below > 0) {
        ASSERT_TRUE(drag(scroll, QPointF(160, 300), QPointF(0, -below)));
    }
    const QPoint shown = agree->mapTo(scroll, agree->rect().center());
    ASSERT_TRUE(scroll->rect().contains(shown)) << shown.y();
    voteOnRow(block->cells(), 0, true);

    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setType("1");
    list->param().setRid("50001");
    list->param().setPtype("1");
    detail->view();
    push(detail);
    ASSERT_TRUE(measured(list->cells()));
    // One vote per comment and user: the rows below the one voted on.
    voteOnRow(list->cells(), 1, true);
    voteOnRow(list->cells(), 2, false);
    replyToFirstRow(list->cells());
}

TEST_F(RowButtonsTest, SiteWideCommentsVoteInPlaceAndOpenTheRowOnlyOutsideItsButtons) {
    auto* screen = open(new NetComment);
    CommentList* list = screen->commentList();
    ASSERT_TRUE(measured(list->cells()));
    voteOnRow(list->cells(), 0, true);
    replyToFirstRow(list->cells());

    // The date beside the author is no button: the row opens.
    CommentItem* cell = list->cells()->builtCell(0);
    ASSERT_TRUE(tapSettled(cell->dateLable()));
    processEvents();
    EXPECT_NE(top(), screen) << "a tap on the row itself still opens it";
}

TEST_F(RowButtonsTest, FeedButtonsRecommendAndShowCommentsInsteadOfOpeningTheEntry) {
    auto* feed = new MyNews;
    feed->param().setType("3");
    open(feed);
    ASSERT_TRUE(waitFor([&] { return !feed->items().empty(); }));
    processEvents();
    auto* cell =
        qobject_cast<MyNewsItem*>(feed->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    const std::string id = feed->items()[0].getStringValueForKey("id", "");

    ASSERT_TRUE(tapSettled(cell->recommandBtn()));
    processEvents();
    auto* picker = qobject_cast<Recomment2Friends*>(top());
    ASSERT_NE(picker, nullptr) << "推荐给好友 opens the friend picker";
    EXPECT_EQ(picker->param().rid(), id);
    nav()->popViewControllerAnimated(false);
    processEvents();
    ASSERT_EQ(top(), feed);

    ASSERT_FALSE(cell->comment()->isHidden());
    ASSERT_TRUE(tapSettled(cell->comment()));
    processEvents();
    auto* comments = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(comments, nullptr) << cell->comment()->currentTitle().toStdString()
                                 << " opens the entry's comments";
    EXPECT_EQ(comments->commentList()->param().rid(), id);
}

}  // namespace
