// The row of one project's latest sale news on the sale-information list:
// the project as a button ("[class]name", which opens the project), the
// date, and the news text. 80 points high.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class SaleInfoItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 80;

    explicit SaleInfoItem(QWidget* parent = nullptr);

    /// "catname", "housename", "hid" (the project button's tag),
    /// "update_at" and "saletext".
    void setInfo(const Dict& info) override;

    platform::ui::Button* houseButton() const { return houseBtn_; }
    platform::ui::Label* dateLabel() const { return dateLabel_; }
    platform::ui::Label* saleLabel() const { return saleLabel_; }

private:
    platform::ui::Button* houseBtn_ = nullptr;
    platform::ui::Label* dateLabel_ = nullptr;
    platform::ui::Label* saleLabel_ = nullptr;
};

}  // namespace tovera
