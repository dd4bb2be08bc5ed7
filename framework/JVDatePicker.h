// The date picker panel shown at the bottom of a form: the picker panel's
// "取消"/"确定" bar above a year-month-day picker.
#pragma once

#include <QDate>

#include "framework/PickerPanel.h"

namespace tovera::platform::ui {
class DatePicker;
}  // namespace tovera::platform::ui

namespace tovera {

class JVDatePicker : public PickerPanel {
    Q_OBJECT
public:
    explicit JVDatePicker(double width, QWidget* parent = nullptr);

    /// Shows `text` ("yyyy-MM-dd"), or today when it is no such date.
    void setDateText(const QString& text);
    QDate date() const;
    /// The chosen date as "yyyy-MM-dd".
    QString dateText() const;

    platform::ui::DatePicker* datePicker() const { return picker_; }

private:
    platform::ui::DatePicker* picker_ = nullptr;
};

}  // namespace tovera
