// A row of the home list: the project's picture, "[type]name", its average
// price and a telephone button that offers to dial the number.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "framework/CustomCell.h"
#include "framework/GetImageOperation.h"

namespace tovera::platform::ui {
class ImageView;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class HomeCell : public CustomCell, public ImageDidLoadReceiver {
    Q_OBJECT
public:
    static constexpr double kHeight = 76;

    HomeCell();

    /// Fills the labels from one home-list row and shows the placeholder picture.
    void setInfo(const Dict& info) override;
    /// The row's picture, unless it was meant for another row than the one
    /// the cell shows now (then the placeholder).
    void imageDidLoad(const platform::ui::Image& image, int index) override;
    /// The telephone button: "拨打:<number>" with "确定" and "取消", or the
    /// toast "没有提供相关号码!" when the row gives no number.
    void btnPressed(platform::ui::Button* button) override;

    /// "均价:<price>元/平方米", or "均价:一房一价" for a missing or zero price.
    static QString priceText(const Dict& info);

    platform::ui::ImageView* iconView() const { return iconView_; }
    platform::ui::Label* nameLbl() const { return nameLbl_; }
    platform::ui::Label* priceLbl() const { return priceLbl_; }
    platform::ui::Button* telBtn() const { return telBtn_; }

private:
    platform::ui::ImageView* iconView_ = nullptr;
    platform::ui::Label* nameLbl_ = nullptr;
    platform::ui::Label* priceLbl_ = nullptr;
    platform::ui::Button* telBtn_ = nullptr;
};

}  // namespace tovera
