#include "tests/property/ProjectListTest.h"

#include "framework/JVPickView.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/overlays/PickerView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "property/HouseTableView.h"
#include "property/LabelButton.h"

namespace tovera::testing {

using platform::ui::testing::findByText;
using platform::ui::testing::isOnScreen;
using platform::ui::testing::processEvents;
using platform::ui::testing::tap;
using platform::ui::testing::waitFor;

void ProjectListTest::SetUp() {
    NewsListsUiTest::SetUp();
    useDemo();
}

ToveraList* ProjectListTest::openList() {
    if (!nav()) showRoot(new platform::ui::ViewController);
    list_ = new ToveraList;
    nav()->pushViewController(list_, false);
    processEvents();
    const std::size_t before = requestsTo("house/search.aspx").size();
    EXPECT_TRUE(replies("house/search.aspx", std::max<std::size_t>(before, 1)));
    return list_;
}

Dict ProjectListTest::lastSearch() const {
    const std::vector<Dict> sent = requestsTo("house/search.aspx");
    return sent.empty() ? Dict() : sent.back();
}

bool ProjectListTest::replies(std::string_view path, std::size_t count) const {
    return waitFor([&] { return requestsTo(path).size() >= count; }) && settled();
}

bool ProjectListTest::tapText(const QString& text) {
    settled();
    platform::ui::View* view = findByText(window(), text);
    return view && tap(view);
}

HouseSearch* ProjectListTest::openFilter() {
    if (!tapText(QStringLiteral("筛选"))) return nullptr;
    waitFor([this] { return qobject_cast<HouseSearch*>(top()) != nullptr; });
    processEvents();
    return qobject_cast<HouseSearch*>(top());
}

bool ProjectListTest::openField(HouseSearch* form, int tag) {
    LabelButton* row = form->row(tag);
    if (!row) return false;
    // A user scrolls the field into what the picker leaves of the form.
    form->scrollView()->scrollRectToVisible(row->frame(), false);
    processEvents();
    if (!tap(row->btn())) return false;
    return waitFor([form] { return form->pkView() && isOnScreen(form->pkView()); }) && settled();
}

bool ProjectListTest::pick(HouseSearch* form, int row) {
    JVPickView* panel = form->pkView();
    if (!panel || !isOnScreen(panel)) return false;
    // A tap on a row below the middle band moves the picker there; two rows
    // show below it.
    platform::ui::PickerView* picker = panel->pickerView();
    const double middle = picker->bounds().height() / 2;
    for (int guard = 0; picker->selectedRowInComponent(0) < row && guard < 50; ++guard) {
        const int step = std::min(2, row - picker->selectedRowInComponent(0));
        platform::ui::testing::tapAt(
            picker,
            {picker->bounds().width() / 2, middle + step * platform::ui::PickerView::kRowHeight});
        waitFor([&] { return picker->selectedRowInComponent(0) >= row; },
                std::chrono::milliseconds(600));
    }
    if (picker->selectedRowInComponent(0) != row) return false;
    return tap(panel->confirmButton());
}

QStringList ProjectListTest::pickerTitles(HouseSearch* form) const {
    return form->pkView() ? form->pkView()->titles() : QStringList();
}

}  // namespace tovera::testing
