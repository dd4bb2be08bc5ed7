// The row of one post of a live room's discussion ("讨论区"): the poster's
// name on a button that opens the poster's page (the record's "id" is the
// poster's user id), the text, the picture when there is one (a tap shows
// it full screen) and the time.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

class DiscussListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kPictureSide = 90;
    static constexpr double kLineHeight = 22;

    explicit DiscussListItem(QWidget* parent = nullptr);

    /// The name row, the text, the picture when there is one and the date.
    static double contentHeight(const Dict& info);

    void setInfo(const Dict& info) override;
    /// Opens the poster's page (name button).
    void showUser();
    /// Shows the picture in the full-screen viewer.
    void showBig();

    platform::ui::Button* nameBtn() const { return nameBtn_; }
    platform::ui::TextView* contentText() const { return contentText_; }
    NetButton* picButton() const { return picButton_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }

private:
    platform::ui::Button* nameBtn_ = nullptr;
    platform::ui::TextView* contentText_ = nullptr;
    NetButton* picButton_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
};

}  // namespace tovera
