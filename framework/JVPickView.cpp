#include "framework/JVPickView.h"

namespace tovera {

using platform::ui::PickerView;

JVPickView::JVPickView(double width, QWidget* parent) : PickerPanel(width, parent) {
    picker_ = new PickerView(pickerFrame(), this);
    picker_->setDataSource(this);
    picker_->setDelegate(this);
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
