#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/View.h"

#include <QStringList>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using namespace std::chrono_literals;

namespace {

// A screen that writes every callback it hears into a shared journal.
class Screen : public ViewController {
public:
    Screen(const QString& name, QStringList* journal) : name_(name), journal_(journal) {
        setTitle(name);
    }
    ~Screen() override { journal_->append(name_ + ".deleted"); }
    void loadView() override {
        journal_->append(name_ + ".loadView");
        ViewController::loadView();
    }
    void viewDidLoad() override { journal_->append(name_ + ".viewDidLoad"); }
    void viewWillAppear(bool a) override { log("willAppear", a); }
    void viewDidAppear(bool a) override { log("didAppear", a); }
    void viewWillDisappear(bool a) override { log("willDisappear", a); }
    void viewDidDisappear(bool a) override { log("didDisappear", a); }

private:
    void log(const char* what, bool animated) {
        journal_->append(name_ + "." + what + (animated ? "(a)" : ""));
    }
    QString name_;
    QStringList* journal_;
};

class Delegate : public NavigationControllerDelegate {
public:
    explicit Delegate(QStringList* journal) : journal_(journal) {}
    void navigationControllerWillShow(NavigationController*, ViewController* c, bool) override {
        journal_->append("delegate.willShow." + c->title());
    }
    void navigationControllerDidShow(NavigationController*, ViewController* c, bool) override {
        journal_->append("delegate.didShow." + c->title());
    }

private:
    QStringList* journal_;
};

class NavigationTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        root = new Screen("A", &journal);
        nav = new NavigationController(root);
        nav->setDelegate(&delegate);
        window()->setRootViewController(nav);
        processEvents();
    }
    QStringList take() {
        processEvents();
        QStringList out = journal;
        journal.clear();
        return out;
    }

    QStringList journal;
    Delegate delegate{&journal};
    Screen* root = nullptr;
    NavigationController* nav = nullptr;
};

}  // namespace

TEST_F(NavigationTest, RootLoadsOnceAndAppearsWithTheWindow) {
    EXPECT_EQ(take(), (QStringList{"A.loadView", "A.viewDidLoad", "A.willAppear", "A.didAppear"}));
    root->view();
    EXPECT_TRUE(take().isEmpty()) << "the view is built once";
}

TEST_F(NavigationTest, PushPopAndPopToRootSendCallbacksInOrder) {
    take();
    auto* b = new Screen("B", &journal);
    nav->pushViewController(b, true);  // animations are off in tests: immediate
    EXPECT_EQ(take(),
              (QStringList{"B.loadView", "B.viewDidLoad", "delegate.willShow.B", "A.willDisappear",
                           "B.willAppear", "A.didDisappear", "B.didAppear", "delegate.didShow.B"}));
    EXPECT_EQ(nav->topViewController(), b);
    EXPECT_EQ(b->navigationController(), nav);

    nav->pushViewController(new Screen("C", &journal), false);
    take();
    EXPECT_EQ(nav->viewControllers().size(), 3);

    auto* popped = nav->popViewControllerAnimated(false);
    ASSERT_NE(popped, nullptr);
    EXPECT_EQ(take(),
              (QStringList{"delegate.willShow.B", "C.willDisappear", "B.willAppear",
                           "C.didDisappear", "B.didAppear", "delegate.didShow.B", "C.deleted"}));

    nav->pushViewController(new Screen("D", &journal), false);
    take();
    const auto removed = nav->popToRootViewControllerAnimated(false);
    EXPECT_EQ(removed.size(), 2);
    EXPECT_EQ(take(), (QStringList{"delegate.willShow.A", "D.willDisappear", "A.willAppear",
                                   "D.didDisappear", "A.didAppear", "delegate.didShow.A",
                                   "B.deleted", "D.deleted"}));
    EXPECT_EQ(nav->popViewControllerAnimated(false), nullptr) << "the root stays";
}

TEST_F(NavigationTest, ModalPresentationCoversTheStackAndDismissalRestoresIt) {
    take();
    auto* modal = new Screen("M", &journal);
    root->presentModalViewController(modal, true);
    EXPECT_EQ(take(), (QStringList{"M.loadView", "M.viewDidLoad", "A.willDisappear", "M.willAppear",
                                   "A.didDisappear", "M.didAppear"}));
    EXPECT_EQ(nav->visibleViewController(), modal);
    EXPECT_EQ(modal->view()->frame(), Window::applicationFrame());
    modal->dismissModalViewControllerAnimated(true);
    EXPECT_EQ(take(), (QStringList{"M.willDisappear", "A.willAppear", "M.didDisappear",
                                   "A.didAppear", "M.deleted"}));
    EXPECT_EQ(nav->visibleViewController(), root);
}

TEST_F(NavigationTest, SettingTheStackKeepsSurvivorsAndDeletesTheRest) {
    auto* b = new Screen("B", &journal);
    auto* c = new Screen("C", &journal);
    nav->pushViewController(b, false);
    nav->pushViewController(c, false);
    take();
    auto* d = new Screen("D", &journal);
    nav->setViewControllers({root, b, d}, false);
    const QStringList seen = take();
    EXPECT_TRUE(seen.contains("C.deleted"));
    EXPECT_FALSE(seen.contains("B.deleted"));
    EXPECT_EQ(nav->viewControllers(), (QList<ViewController*>{root, b, d}));
    EXPECT_EQ(nav->popToViewController(b, false).size(), 1);
    EXPECT_EQ(nav->topViewController(), b);
}

TEST_F(NavigationTest, BarShowsTitleItemsAndABackButtonThatPops) {
    auto* b = new Screen("B", &journal);
    int pressed = 0;
    auto* right = new BarButtonItem(QStringLiteral("评论"), BarButtonItem::Style::Plain);
    QObject::connect(right, &BarButtonItem::triggered, [&](BarButtonItem*) { ++pressed; });
    b->navigationItem()->setRightBarButtonItem(right);
    nav->pushViewController(b, false);
    processEvents();
    NavigationBar* bar = nav->navigationBar();
    EXPECT_EQ(bar->titleLabel()->text(), "B");
    ASSERT_TRUE(bar->showsBackButton());
    ASSERT_TRUE(tap(findByText(bar, "评论")));
    EXPECT_EQ(pressed, 1);
    right->setTitle(QStringLiteral("评论(3)"));
    processEvents();
    EXPECT_NE(findByText(bar, "评论(3)"), nullptr);
    ASSERT_TRUE(tap(bar->leftView()));
    processEvents();
    EXPECT_EQ(nav->topViewController(), root);
    EXPECT_FALSE(nav->navigationBar()->showsBackButton());
}

TEST_F(NavigationTest, AnimatedPushSlidesOnTheTimerFacilityAndFinishesInOrder) {
    take();
    Animation::setEnabled(true);
    auto* b = new Screen("B", &journal);
    nav->pushViewController(b, true);
    QStringList seen = take();
    EXPECT_TRUE(seen.contains("B.willAppear(a)"));
    EXPECT_FALSE(seen.contains("B.didAppear(a)"));
    fastForward(400ms);
    seen = take();
    Animation::setEnabled(false);
    EXPECT_EQ(seen, (QStringList{"A.didDisappear(a)", "B.didAppear(a)", "delegate.didShow.B"}));
    EXPECT_EQ(b->view()->frame().topLeft(), QPointF(0, 0));
}
