// The row of one second-hand or rental listing: "[source]heading", the
// layout, the floor area, the price (total price, monthly rent, or "面议")
// and the publication date.
#pragma once

#include <string_view>

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class HouseListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 64;

    explicit HouseListItem(QWidget* parent = nullptr);

    /// One listing summary of a search reply.
    void setInfo(const Dict& info) override;
    /// The list's kind ("oldhouse" or "rent"), which decides the price unit.
    void setType(std::string_view api);

    /// The heading, after "[source]" when the listing names its source.
    static QString nameText(const Dict& info);
    /// "<price>万元" (second-hand) or "<price>元/月" (rental) for a price
    /// above 0, else "面议".
    static QString priceText(const Dict& info, std::string_view api);

    platform::ui::Label* nameLbl() const { return nameLbl_; }
    platform::ui::Label* unitLbl() const { return unitLbl_; }
    platform::ui::Label* sizeLbl() const { return sizeLbl_; }
    platform::ui::Label* priceLbl() const { return priceLbl_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }

private:
    Dict info_;
    platform::ui::Label* nameLbl_ = nullptr;
    platform::ui::Label* unitLbl_ = nullptr;
    platform::ui::Label* sizeLbl_ = nullptr;
    platform::ui::Label* priceLbl_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
};

}  // namespace tovera
