// A date picker: year, month and day columns within a range; choosing one
// sends value-changed with the new date.
#pragma once

#include "platform/ui/overlays/PickerView.h"
#include "platform/ui/views/Control.h"

#include <QDate>

namespace tovera::platform::ui {

class DatePicker : public Control, private PickerViewDataSource, private PickerViewDelegate {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    QDate date() const { return date_; }
    /// Shows the date (kept within the range) without sending value-changed.
    void setDate(const QDate& date, bool animated = false);
    QDate minimumDate() const { return minimum_; }
    void setMinimumDate(const QDate& date);
    QDate maximumDate() const { return maximum_; }
    void setMaximumDate(const QDate& date);

    /// Chooses a date as a user would (value-changed is sent).
    void chooseDate(const QDate& date);

    PickerView* pickerView() const { return picker_; }
    QString visibleText() const override;

protected:
    void layoutSubviews() override;

private:
    int numberOfComponentsInPickerView(PickerView*) override { return 3; }
    int numberOfRowsInComponent(PickerView*, int component) override;
    QString titleForRow(PickerView*, int row, int component) override;
    void didSelectRow(PickerView*, int row, int component) override;
    void showDate();
    QDate clamped(const QDate& date) const;

    PickerView* picker_ = nullptr;
    QDate date_;
    QDate minimum_{1900, 1, 1};
    QDate maximum_{2100, 12, 31};
};

}  // namespace tovera::platform::ui
