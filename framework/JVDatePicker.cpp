#include "framework/JVDatePicker.h"

#include "platform/ui/overlays/DatePicker.h"

namespace tovera {

namespace {
const QString kFormat = QStringLiteral("yyyy-MM-dd");
}  // namespace

JVDatePicker::JVDatePicker(double width, QWidget* parent) : PickerPanel(width, parent) {
    picker_ = new platform::ui::DatePicker(this);
    picker_->setFrame(pickerFrame());
    picker_->setMaximumDate(QDate::currentDate());
}

void JVDatePicker::setDateText(const QString& text) {
    const QDate date = QDate::fromString(text, kFormat);
    picker_->setDate(date.isValid() ? date : QDate::currentDate());
}

QDate JVDatePicker::date() const {
    return picker_->date();
}

QString JVDatePicker::dateText() const {
    return picker_->date().toString(kFormat);
}

}  // namespace tovera
