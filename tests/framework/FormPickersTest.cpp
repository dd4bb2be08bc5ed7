// The form widgets the profile editor is built from: the radio row, and the
// list and date picker panels, tapped where they are drawn.
#include <QDate>

#include "framework/JVDatePicker.h"
#include "framework/JVPickView.h"
#include "framework/QXRadio.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/overlays/DatePicker.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "tests/framework/FrameworkUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class FormPickers : public tovera::testing::FrameworkUiTest {
protected:
    View* screen() {
        auto* shown = new ViewController;
        showRoot(shown);
        processEvents();
        return shown->view();
    }
};

struct Reports : QXViewDelegate {
    void qxView(View* view, Button* button) override {
        from = view;
        tags.append(button ? button->tag() : -1);
    }
    View* from = nullptr;
    QList<int> tags;
};

TEST_F(FormPickers, RadioSelectsOnlyThePressedButton) {
    auto* radio = new QXRadio(QRectF(10, 10, 302, 32), screen());
    EXPECT_EQ(radio->value(), QString()) << "none is chosen at first";
    radio->setLableArray({QStringLiteral("保密"), QStringLiteral("男"), QStringLiteral("女")});
    processEvents();
    ASSERT_EQ(radio->buttons().size(), 3);
    EXPECT_EQ(radio->buttons()[1]->frame(), QRectF(1 + 100, 1, 100, 30));
    ASSERT_TRUE(tap(radio->buttons()[2]));
    EXPECT_EQ(radio->value(), QStringLiteral("女"));
    ASSERT_TRUE(tap(radio->buttons()[1]));
    EXPECT_EQ(radio->selectedIndex(), 1);
    EXPECT_FALSE(radio->buttons()[2]->isSelected());
    radio->setSelected(7);
    EXPECT_EQ(radio->value(), QStringLiteral("男")) << "an index out of range changes nothing";
    radio->setLableArray({QStringLiteral("是"), QStringLiteral("否")});
    processEvents();
    EXPECT_EQ(radio->value(), QString());
    EXPECT_EQ(radio->buttons().size(), 2);
}

TEST_F(FormPickers, PanelsHideOnEitherButtonAndReportIt) {
    View* root = screen();
    Reports reports;
    auto* list = new JVPickView(320, root);
    list->setDelegate(&reports);
    list->setTitles({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
    list->selectRow(2);
    list->showAtBottom();
    processEvents();
    EXPECT_EQ(list->frame().bottom(), root->bounds().bottom());
    ASSERT_TRUE(tap(list->confirmButton()));
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(reports.from, list);
    EXPECT_EQ(reports.tags, QList<int>{PickerPanel::kConfirmTag});
    EXPECT_EQ(list->selectedRow(), 2);

    auto* dates = new JVDatePicker(320, root);
    dates->setDelegate(&reports);
    dates->setDateText(QStringLiteral("1985-06-01"));
    EXPECT_EQ(dates->dateText(), QStringLiteral("1985-06-01"));
    dates->setDateText(QStringLiteral("not a date"));
    EXPECT_EQ(dates->date(), QDate::currentDate()) << "no date shows today";
    dates->datePicker()->chooseDate(QDate(1990, 2, 3));
    dates->showAtBottom();
    processEvents();
    ASSERT_TRUE(tap(dates->cancelButton()));
    EXPECT_TRUE(dates->isHidden());
    EXPECT_EQ(reports.tags.back(), PickerPanel::kCancelTag);
    EXPECT_EQ(dates->dateText(), QStringLiteral("1990-02-03"));
    EXPECT_EQ(dates->datePicker()->maximumDate(), QDate::currentDate()) << "no birth in the future";
}

}  // namespace
