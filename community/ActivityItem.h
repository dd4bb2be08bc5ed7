// The list row of one activity: its thumbnail, its name and "报名截止:<date>".
// A row in the shape of a user's post (one that has "user") shows the
// poster's name on a button, the post's title, its date and its picture
// instead; the poster's button opens the poster's page when the row names
// the poster's id ("uid").
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class NetImageView;

class ActivityItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 80;

    explicit ActivityItem(QWidget* parent = nullptr);

    void setInfo(const Dict& info) override;
    /// Tells the delegate, then opens the poster's page (the user button).
    void btnPressed(platform::ui::Button* button) override;

    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* titleLbl() const { return titleLbl_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    NetImageView* picView() const { return picView_; }

private:
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* titleLbl_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    NetImageView* picView_ = nullptr;
};

}  // namespace tovera
