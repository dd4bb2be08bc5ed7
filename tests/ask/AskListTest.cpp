// The question centre and a project's question list against the demo
// service: the strip's listings, the rows' project buttons, and opening a
// question, its project and its asker.
#include "ask/AskDetail.h"
#include "ask/AskHome.h"
#include "ask/AskList.h"
#include "ask/AskListItem.h"
#include "framework/ActivityView.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/ToveraDetail.h"
#include "service/DemoService.h"
#include "tests/ask/AskUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class AskListTest : public tovera::testing::AskUiTest {
protected:
    // The rows the list shows, once its first page is in.
    static QList<AskListItem*> rows(AskList* list) {
        EXPECT_TRUE(waitFor([&] { return list->total() > 0 || !list->items().empty(); }));
        processEvents();
        return findAllByClass<AskListItem>(list->tableView());
    }
    std::string lastListParam(std::string_view key) {
        const auto sent = demoService()->requestsTo("ask/list.aspx");
        return sent.empty() ? "" : sent.back().params.getStringValueForKey(key, "");
    }
};

TEST_F(AskListTest, EachStripButtonAsksForItsListingAndTheListFollows) {
    login("demo", "demo1234");
    auto* home = open(new AskHome);
    AskList* list = home->asklistController();
    ASSERT_TRUE(list);
    const QStringList titles = {"待解决", "已解决", "我的咨询", "我参与的", "好友咨询"};
    for (int i = titles.size() - 1; i >= 0; --i) {
        SCOPED_TRACE(titles[i].toStdString());
        const std::size_t asked = demoService()->requestsTo("ask/list.aspx").size();
        View* button = findByText(home->btnView(), titles[i]);
        ASSERT_TRUE(button);
        ASSERT_TRUE(tapSettled(button));
        ASSERT_TRUE(waitFor([&] {
            return demoService()->requestsTo("ask/list.aspx").size() > asked &&
                   !ActivityView::shared()->isShowing();
        }));
        EXPECT_EQ(lastListParam("type"), std::to_string(i + 1));
        EXPECT_EQ(lastListParam("id"), "1");
        Button* selected = NSUtil::getSelectedButton(home->btnView());
        ASSERT_TRUE(selected);
        EXPECT_EQ(selected->currentTitle(), titles[i]);
        // The rows are the listing's: solved ones carry the tick, open ones
        // the question mark, and every row counts its answers.
        for (AskListItem* row : rows(list)) {
            EXPECT_TRUE(row->replyLbl()->text().startsWith(QStringLiteral("回答数(")));
            if (i == 0) {
                EXPECT_FALSE(row->solveImg()->image().isNull());
            }
        }
        if (i == 1) {
            for (const Value& item : list->items())
                EXPECT_EQ(item.getStringValueForKey("solve", "0"), "1");
        }
        if (i == 2) {
            for (const Value& item : list->items())
                EXPECT_EQ(item.getStringValueForKey("user", ""), "demo");
        }
    }
}

TEST_F(AskListTest, CentreRowsNameTheirProjectOnlyWhenTheyHaveOne) {
    auto* home = open(new AskHome);
    const QList<AskListItem*> shown = rows(home->asklistController());
    ASSERT_FALSE(shown.isEmpty());
    bool sawProject = false;
    bool sawNone = false;
    for (AskListItem* row : shown) {
        const bool hasProject = row->info().getIntValueForKey("hid", 0) != 0;
        EXPECT_EQ(row->houseBtn()->isHidden(), !hasProject);
        if (hasProject) {
            sawProject = true;
            EXPECT_EQ(row->houseBtn()->currentTitle().toStdString(),
                      row->info().getStringValueForKey("house", ""));
            // The title starts below the project's name.
            EXPECT_GE(row->askLbl()->frame().top(), row->houseBtn()->frame().bottom());
        } else {
            sawNone = true;
        }
    }
    EXPECT_TRUE(sawProject);
    EXPECT_TRUE(sawNone);

    // The project button opens the project, a row opens its question.
    AskListItem* withProject = nullptr;
    for (AskListItem* row : shown)
        if (!row->houseBtn()->isHidden()) withProject = row;
    ASSERT_TRUE(withProject);
    const std::string hid = withProject->info().getStringValueForKey("hid", "");
    const std::string id = withProject->info().getStringValueForKey("id", "");
    ASSERT_TRUE(tapSettled(withProject->houseBtn()));
    auto* project = qobject_cast<ToveraDetail*>(top());
    ASSERT_TRUE(project);
    EXPECT_EQ(project->param().rid(), hid);
    nav()->popViewControllerAnimated(false);
    processEvents();
    ASSERT_TRUE(tapSettled(withProject->askLbl()));
    auto* detail = qobject_cast<AskDetail*>(top());
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->param().rid(), id);
}

TEST_F(AskListTest, TheAskerOpensTheOwnProfileOrTheUserPage) {
    login("demo", "demo1234");
    auto* home = open(new AskHome);
    for (AskListItem* row : rows(home->asklistController())) {
        const bool mine = row->info().getStringValueForKey("user", "") == "demo";
        ASSERT_TRUE(tapSettled(row->userBtn()));
        ASSERT_TRUE(waitFor([&] { return top() != home; }));
        EXPECT_EQ(top()->title(), mine ? QStringLiteral("个人资料") : QStringLiteral("用户资料"));
        nav()->popViewControllerAnimated(false);
        processEvents();
        if (mine) break;
    }
}

TEST_F(AskListTest, AProjectsQuestionListSendsTheProjectAndNamesNoProject) {
    Route route{Destination::ProjectQuestions};
    route.param.setHid("1001");
    route.param.setApi("tovera");
    auto* list = qobject_cast<AskList*>(Navigator::build(route));
    ASSERT_TRUE(list);
    open(list);
    const QList<AskListItem*> shown = rows(list);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(lastListParam("hid"), "1001");
    EXPECT_EQ(list->param().api(), "tovera");
    for (AskListItem* row : shown) {
        EXPECT_EQ(row->info().getStringValueForKey("hid", ""), "1001");
        EXPECT_TRUE(row->houseBtn()->isHidden());
        EXPECT_FALSE(row->houseBtn()->isEnabled());
    }
}

TEST_F(AskListTest, TheProjectPageHostsItsQuestionsAndItsTabBarAsks) {
    auto* project = new ToveraDetail;
    project->param().setRid("1001");
    open(project);
    ASSERT_TRUE(waitFor([&] { return !project->detail().empty(); }));
    View* ask = findByText(project->btnView(), QStringLiteral("咨询"));
    ASSERT_TRUE(tapSettled(ask));
    auto* list = qobject_cast<AskList*>(project->pageScreen());
    ASSERT_TRUE(list);
    for (AskListItem* row : rows(list))
        EXPECT_TRUE(row->houseBtn()->isHidden());
    EXPECT_EQ(lastListParam("hid"), "1001");

    TabBar* bar = project->tabBar();
    ASSERT_TRUE(tapSettled(bar->viewForItem(bar->items().at(ToveraDetail::kAskQuestion))));
    auto* form = qobject_cast<AskForm*>(top());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->type(), 7);
    EXPECT_EQ(form->param().rid(), "1001");
    EXPECT_EQ(form->param().param().getStringValueForKey("ptype", ""), "2");
}

}  // namespace
