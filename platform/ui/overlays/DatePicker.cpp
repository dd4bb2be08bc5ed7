#include "platform/ui/overlays/DatePicker.h"

namespace tovera::platform::ui {

DatePicker::DatePicker(QWidget* parent)
    : Control(QRectF(0, 0, kScreenWidth, 216), parent), date_(QDate::currentDate()) {
    picker_ = new PickerView(bounds(), this);
    picker_->setDataSource(this);
    picker_->setDelegate(this);
    picker_->reloadAllComponents();
    showDate();
}

QDate DatePicker::clamped(const QDate& date) const {
    if (!date.isValid()) return clamped(QDate::currentDate());
    return std::clamp(date, minimum_, maximum_);
}

void DatePicker::setDate(const QDate& date, bool) {
    date_ = clamped(date);
    showDate();
}

void DatePicker::setMinimumDate(const QDate& date) {
    if (!date.isValid()) return;
    minimum_ = date;
    if (maximum_ < minimum_) maximum_ = minimum_;
    date_ = clamped(date_);
    picker_->reloadAllComponents();
    showDate();
}

void DatePicker::setMaximumDate(const QDate& date) {
    if (!date.isValid()) return;
    maximum_ = date;
    if (minimum_ > maximum_) minimum_ = maximum_;
    date_ = clamped(date_);
    picker_->reloadAllComponents();
    showDate();
}

void DatePicker::chooseDate(const QDate& date) {
    setDate(date);
    emit valueChanged(this);
}

QString DatePicker::visibleText() const {
    return date_.toString(QStringLiteral("yyyy-MM-dd"));
}

void DatePicker::showDate() {
    picker_->reloadComponent(2);
    picker_->selectRow(date_.year() - minimum_.year(), 0);
    picker_->selectRow(date_.month() - 1, 1);
    picker_->selectRow(date_.day() - 1, 2);
}

int DatePicker::numberOfRowsInComponent(PickerView*, int component) {
    switch (component) {
        case 0:
            return maximum_.year() - minimum_.year() + 1;
        case 1:
            return 12;
        default:
            return date_.daysInMonth();
    }
}

QString DatePicker::titleForRow(PickerView*, int row, int component) {
    switch (component) {
        case 0:
            return QStringLiteral("%1年").arg(minimum_.year() + row);
        case 1:
            return QStringLiteral("%1月").arg(row + 1);
        default:
            return QStringLiteral("%1日").arg(row + 1);
    }
}

void DatePicker::didSelectRow(PickerView*, int row, int component) {
    int year = date_.year(), month = date_.month(), day = date_.day();
    if (component == 0) year = minimum_.year() + row;
    if (component == 1) month = row + 1;
    if (component == 2) day = row + 1;
    // A day past the end of the new month becomes its last day.
    day = std::min(day, QDate(year, month, 1).daysInMonth());
    chooseDate(QDate(year, month, day));
}

void DatePicker::layoutSubviews() {
    if (picker_) picker_->setFrame(bounds());
}

}  // namespace tovera::platform::ui
