// The desktop keyboard on the phone window: going back, answering overlays,
// walking a list, choosing the home tabs and reloading, each through real
// key events.
#include "platform/ui/lists/TableView.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"

#include <QStringList>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// A screen with a list of two sections (3 and 20 rows) that notes what the
// user chose, and counts the reloads asked of it.
class ListScreen : public ViewController, public TableViewDataSource, public TableViewDelegate {
public:
    void loadView() override {
        ViewController::loadView();
        table = new TableView(TableView::Style::Plain, view());
        table->setFrame(view()->bounds());
        table->setDataSource(this);
        table->setDelegate(this);
        table->reloadData();
    }
    int numberOfSectionsInTableView(TableView*) override { return 2; }
    int numberOfRowsInSection(TableView*, int section) override { return section == 0 ? 3 : 20; }
    TableViewCell* cellForRowAtIndexPath(TableView*, const IndexPath& path) override {
        auto* cell = new TableViewCell;
        cell->textLabel()->setText(QStringLiteral("%1-%2").arg(path.section).arg(path.row));
        return cell;
    }
    void didSelectRowAtIndexPath(TableView*, const IndexPath& path) override {
        chosen << QStringLiteral("%1-%2").arg(path.section).arg(path.row);
    }
    bool refreshFromKeyboard() override {
        ++reloads;
        return true;
    }

    TableView* table = nullptr;
    QStringList chosen;
    int reloads = 0;
};

class KeyCommandsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        home = new ListScreen;
        nav = new NavigationController(home);
        window()->setRootViewController(nav);
        processEvents();
    }

    QString selected() const {
        const auto path = home->table->indexPathForSelectedRow();
        return path ? QStringLiteral("%1-%2").arg(path->section).arg(path->row) : QString();
    }

    ListScreen* home = nullptr;
    NavigationController* nav = nullptr;
};

}  // namespace

TEST_F(KeyCommandsTest, EscapeAndAltLeftGoBackAsTheBackButtonDoes) {
    // The root screen has nowhere to go back to.
    pressKey(Qt::Key_Escape);
    EXPECT_EQ(nav->viewControllers().size(), 1);

    // A screen's own back button runs: it may ask before leaving.
    auto* asking = new ViewController;
    int asked = 0;
    auto* back = new BarButtonItem(QStringLiteral("返回"), BarButtonItem::Style::Back, asking);
    QObject::connect(back, &BarButtonItem::triggered, [&] { ++asked; });
    asking->navigationItem()->setLeftBarButtonItem(back);
    nav->pushViewController(asking, false);
    pressKey(Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(nav->topViewController(), asking);

    // Without one, the screen is popped; Alt+Left does the same.
    nav->pushViewController(new ViewController, false);
    pressKey(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(nav->topViewController(), asking);
    pressKey(Qt::Key_Left);  // without Alt, no command
    EXPECT_EQ(nav->topViewController(), asking);

    // A presented screen is taken away.
    auto* presented = new ViewController;
    asking->presentModalViewController(presented, false);
    processEvents();
    pressKey(Qt::Key_Escape);
    waitFor([&] { return !asking->modalViewController(); });
    EXPECT_EQ(asking->modalViewController(), nullptr);
}

TEST_F(KeyCommandsTest, OverlaysTakeEscapeAsCancelAndEnterAsTheirDefault) {
    QList<int> answers;
    auto showAlert = [&](const QStringList& buttons, int cancel) {
        auto* alert = new AlertView(QStringLiteral("是否保存订阅?"), {}, nullptr, buttons);
        alert->setCancelButtonIndex(cancel);
        alert->setOnButton([&](int index) { answers << index; });
        alert->show();
        processEvents();
        return alert;
    };
    showAlert({QStringLiteral("取消"), QStringLiteral("确定")}, 0);
    pressKey(Qt::Key_Escape);
    showAlert({QStringLiteral("取消"), QStringLiteral("确定")}, 0);
    pressKey(Qt::Key_Return);
    // One button is both cancel and default.
    showAlert({QStringLiteral("确定")}, -1);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(answers, (QList<int>{0, 1, 0}));

    // Two choices and no cancel: Enter guesses nothing, and the list beneath
    // does not move.
    showAlert({QStringLiteral("拍照"), QStringLiteral("相册")}, -1);
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(answers.size(), 3);
    EXPECT_TRUE(AlertView::current());
    EXPECT_TRUE(selected().isEmpty());
    AlertView::current()->dismissWithClickedButtonIndex(0);

    // A sheet has a cancel button but no default.
    auto* sheet =
        ActionSheet::create({}, nullptr, QStringLiteral("取消"), {}, {QStringLiteral("拨打:123?")});
    sheet->setOnButton([&](int index) { answers << index; });
    const int cancel = sheet->cancelButtonIndex();  // a dismissed sheet is deleted
    sheet->showInView(nullptr);
    processEvents();
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(ActionSheet::current());
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(ActionSheet::current());
    EXPECT_EQ(answers.last(), cancel);
}

TEST_F(KeyCommandsTest, ControlsWithAKeyRoleAnswerEscapeAndEnter) {
    auto* panel = new View(QRectF(0, 200, 320, 60));
    auto* cancel = new Button(QRectF(0, 0, 60, 40), panel);
    auto* confirm = new Button(QRectF(260, 0, 60, 40), panel);
    cancel->setKeyRole(Control::KeyRole::Cancel);
    confirm->setKeyRole(Control::KeyRole::Default);
    QStringList pressed;
    QObject::connect(cancel, &Control::touchUpInside, [&] { pressed << "cancel"; });
    QObject::connect(confirm, &Control::touchUpInside, [&] { pressed << "confirm"; });
    window()->addSubview(panel);
    processEvents();
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Escape);
    // Hidden controls are not pressed: Enter falls through to the list.
    panel->setHidden(true);
    pressKey(Qt::Key_Escape);
    EXPECT_EQ(pressed, (QStringList{"confirm", "cancel"}));
}

TEST_F(KeyCommandsTest, ArrowsWalkTheRowsAcrossSectionsAndEnterOpensTheRow) {
    pressKey(Qt::Key_Return);  // nothing chosen yet
    EXPECT_TRUE(home->chosen.isEmpty());
    pressKey(Qt::Key_Down);
    EXPECT_EQ(selected(), "0-0");
    for (int i = 0; i < 3; ++i)
        pressKey(Qt::Key_Down);
    EXPECT_EQ(selected(), "1-0");
    pressKey(Qt::Key_Up);
    EXPECT_EQ(selected(), "0-2");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(home->chosen, QStringList{"0-2"});

    // Walking down the long section keeps the selected row in sight.
    for (int i = 0; i < 21; ++i)
        pressKey(Qt::Key_Down);
    EXPECT_EQ(selected(), "1-19");  // stops at the last row
    const QRectF row = home->table->rectForRowAtIndexPath({1, 19});
    const double top = home->table->contentOffset().y();
    EXPECT_GE(row.top(), top);
    EXPECT_LE(row.bottom(), top + home->table->frame().height() + 0.5);

    pressKey(Qt::Key_Home);
    EXPECT_EQ(home->table->contentOffset().y(), 0);
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(home->table->contentOffset().y(), home->table->frame().height());
    pressKey(Qt::Key_End);
    EXPECT_EQ(home->table->contentOffset().y(),
              home->table->contentSize().height() - home->table->frame().height());
    pressKey(Qt::Key_PageDown);  // never past the end
    EXPECT_EQ(home->table->contentOffset().y(),
              home->table->contentSize().height() - home->table->frame().height());
}

TEST_F(KeyCommandsTest, KeysTypedIntoAFieldStayTheFields) {
    auto* field = new TextField(QRectF(10, 10, 200, 30), home->view());
    field->show();
    ASSERT_TRUE(type(field, QStringLiteral("ab")));
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Home);
    EXPECT_TRUE(selected().isEmpty());
    // F5 still reloads: it types nothing.
    pressKey(Qt::Key_F5);
    EXPECT_EQ(home->reloads, 1);
}

TEST_F(KeyCommandsTest, CtrlDigitsChooseTheHomeTabsAndF5Reloads) {
    auto* bar = new TabBar(QRectF(0, 380, 320, 49), home->view());
    bar->setItems({new TabBarItem(QStringLiteral("首页")), new TabBarItem(QStringLiteral("房产")),
                   new TabBarItem(QStringLiteral("互动"))});
    bar->show();
    nav->pushViewController(new ViewController, false);

    // From a screen above, Ctrl+2 goes home and chooses the second tab.
    pressKey(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(nav->topViewController(), home);
    EXPECT_EQ(bar->indexOfItem(bar->selectedItem()), 1);
    pressKey(Qt::Key_5, Qt::ControlModifier);  // no fifth tab here
    EXPECT_EQ(bar->indexOfItem(bar->selectedItem()), 1);

    pressKey(Qt::Key_F5);
    pressKey(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(home->reloads, 2);
}
