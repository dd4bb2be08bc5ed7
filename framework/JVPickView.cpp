#include "framework/JVPickView.h"

#include "platform/ui/lists/ScrollView.h"

namespace tovera {

using platform::ui::PickerView;

JVPickView::JVPickView(double width, QWidget* parent) : PickerPanel(width, parent) {
    picker_ = new PickerView(pickerFrame(), this);
    picker_->setDataSource(this);
    picker_->setDelegate(this);
}

JVPickView* JVPickView::hiddenIn(platform::ui::View* parent, QXViewDelegate* delegate) {
    auto* panel = new JVPickView(parent->bounds().width(), parent);
    panel->setDelegate(delegate);
    panel->setHidden(true);
    return panel;
}

void JVPickView::showUnder(platform::ui::ScrollView* form, const QStringList& titles) {
    setTitles(titles);
    auto* parent = qobject_cast<View*>(parentWidget());
    if (!parent) return;
    const QRectF area = parent->bounds();
    setFrame(QRectF(0, area.height() - kHeight, area.width(), kHeight));
    setHidden(false);
    parent->bringSubviewToFront(this);
    if (form) form->setFrame(QRectF(0, 0, area.width(), area.height() - kHeight));
}

void JVPickView::hideUnder(platform::ui::ScrollView* form) {
    setHidden(true);
    if (auto* parent = qobject_cast<View*>(parentWidget()); parent && form)
        form->setFrame(parent->bounds());
}

void JVPickView::setTitles(const QStringList& titles) {
    titles_ = titles;
    picker_->reloadAllComponents();
    if (!titles_.isEmpty()) picker_->selectRow(0, 0);
}

int JVPickView::selectedRow() const {
    return picker_->selectedRowInComponent(0);
}

void JVPickView::selectRow(int row) {
    if (row >= 0 && row < titles_.size()) picker_->selectRow(row, 0);
}

int JVPickView::numberOfRowsInComponent(PickerView*, int) {
    return int(titles_.size());
}

QString JVPickView::titleForRow(PickerView*, int row, int) {
    return row >= 0 && row < titles_.size() ? titles_[row] : QString();
}

}  // namespace tovera
