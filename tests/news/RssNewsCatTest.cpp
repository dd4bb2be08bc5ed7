// The subscription list: the ids it saves, the unsaved mark of its host
// screen, and its loading on the first appearance.
#include <QPointer>
#include <QString>

#include "core/Gb18030.h"
#include "news/RssNewsCat.h"
#include "news/RssNewsCatItem.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::categoriesReply;

namespace {

// A settings screen that embeds the list and has the save button.
class HostScreen : public ViewController {
public:
    explicit HostScreen(bool animatedAppearance) {
        setTitle(QStringLiteral("订阅设置"));
        navigationItem()->setRightBarButtonItem(new BarButtonItem(QStringLiteral("订阅")));
        list = new RssNewsCat(this);
        list->setParentViewController(this);
        animated_ = animatedAppearance;
    }
    void loadView() override {
        ViewController::loadView();
        view()->addSubview(list->view());
    }
    void viewWillAppear(bool) override { list->beginAppearance(animated_); }
    void viewDidAppear(bool) override { list->endAppearance(animated_); }
    int unsaved() const { return navigationItem()->rightBarButtonItem()->tag(); }

    QPointer<RssNewsCat> list;

private:
    bool animated_ = false;
};

class Subscriptions : public tovera::testing::NewsListsUiTest {
protected:
    HostScreen* openHost(bool animated = false) {
        auto* host = push(new HostScreen(animated));
        EXPECT_TRUE(waitFor([&] { return !host->list->dataArray().empty(); }));
        return host;
    }
    void select(RssNewsCat* list, int row) {
        list->didSelectRowAtIndexPath(list->tableView(), IndexPath{0, row});
    }
};

TEST_F(Subscriptions, IdsComeOutLastRowFirst) {
    const struct {
        std::vector<int> subscribed;
        const char* ids;
    } cases[] = {{{5, 7, 9}, "9|7|5"}, {{}, "0"}, {{1}, "1"}, {{1, 10}, "10|1"}};
    for (const auto& c : cases) {
        scripted_.reply(categoriesReply(10, c.subscribed));
        HostScreen* host = openHost();
        EXPECT_EQ(host->list->rssIds(), c.ids);
        backToRoot();
    }
}

TEST_F(Subscriptions, RowsShowNameCountAndMark) {
    scripted_.reply(categoriesReply(3, {2}));
    HostScreen* host = openHost();
    QList<RssNewsCatItem*> cells;
    for (TableViewCell* cell : host->list->tableView()->visibleCells())
        cells << qobject_cast<RssNewsCatItem*>(cell);
    ASSERT_EQ(cells.size(), 3);
    EXPECT_EQ(cells[1]->nameLabel()->text(), QStringLiteral("分类2"));
    EXPECT_EQ(cells[1]->countLabel()->text(), QStringLiteral("(102人订阅)"));
    EXPECT_TRUE(cells[0]->checkImage()->isHidden());
    EXPECT_FALSE(cells[1]->checkImage()->isHidden());
    EXPECT_EQ(cells[0]->selectionStyle(), TableViewCell::SelectionStyle::None);
}

TEST_F(Subscriptions, LoadsOnTheFirstAppearanceAnimatedOrNot) {
    scripted_.reply(categoriesReply(4));
    for (bool animated : {false, true}) {
        HostScreen* host = openHost(animated);
        EXPECT_EQ(host->list->dataArray().size(), 4u) << animated;
        backToRoot();
    }
}

TEST_F(Subscriptions, SavingClearsTheHostsMarkEvenUnderAnotherScreen) {
    useDemo();
    signIn();
    HostScreen* host = openHost();
    EXPECT_EQ(host->list->rssIds(), "5|3|1");
    select(host->list, 0);  // 1 off
    select(host->list, 6);  // 7 on
    EXPECT_EQ(host->unsaved(), RssNewsCat::kUnsaved);
    EXPECT_EQ(host->list->rssIds(), "7|5|3");

    // Another screen with a save button of its own comes on top.
    auto* other = push(new HostScreen(false));
    other->navigationItem()->rightBarButtonItem()->setTag(RssNewsCat::kUnsaved);
    host->list->subScribe();
    ASSERT_TRUE(waitForRequests("user/subscribe.aspx", 1));
    const Dict sent = requestsTo("user/subscribe.aspx").back();
    EXPECT_EQ(sent.getStringValueForKey("cid", ""), "7|5|3");
    EXPECT_EQ(sent.getStringValueForKey("operate", ""), "1");
    ASSERT_TRUE(waitFor([] { return currentToast() == QStringLiteral("订阅成功"); }));
    EXPECT_EQ(host->unsaved(), 0);
    EXPECT_EQ(other->unsaved(), RssNewsCat::kUnsaved);
    EXPECT_FALSE(host->list->param().param().contains("api"));

    // The service kept the set: a reload shows it, and is not taken for a save.
    host->list->reloadData();
    ASSERT_TRUE(waitForRequests("news/sort.aspx", 3) && settled());
    EXPECT_EQ(host->list->rssIds(), "7|5|3");
    EXPECT_EQ(requestsTo("news/sort.aspx").back().getStringValueForKey("cityid", ""), "3401");
}

TEST_F(Subscriptions, AFailedSaveKeepsTheEditsAndTheMark) {
    service::DemoService& demo = useDemo();
    signIn();
    HostScreen* host = openHost();
    select(host->list, 1);
    service::Fault fault;
    fault.kind = service::Fault::Kind::kRefusal;
    demo.injectFault("user/subscribe.aspx", fault);
    host->list->subScribe();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("操作失败"));
    answerAlert(0);
    EXPECT_EQ(host->unsaved(), RssNewsCat::kUnsaved);
    EXPECT_EQ(host->list->rssIds(), "5|3|2|1");
}

}  // namespace
