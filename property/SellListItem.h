// The row of one sale news item: its date, and below it the news text in a
// read-only text view as tall as the text.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Label;
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class SellListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kDateHeight = 20;

    explicit SellListItem(QWidget* parent = nullptr);

    /// "update_at" and "selltxt"; the row takes height().
    void setInfo(const Dict& info) override;
    /// The row height for a record: the fitted text plus the date line.
    static double height(const Dict& info);

    platform::ui::Label* dateLabel() const { return dateLabel_; }
    platform::ui::TextView* textView() const { return textView_; }

private:
    platform::ui::Label* dateLabel_ = nullptr;
    platform::ui::TextView* textView_ = nullptr;
};

}  // namespace tovera
