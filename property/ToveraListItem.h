// The row of one new-build project: thumbnail, "[class]name", average price
// and address on two lines, the sale state, and a button that shows
// "取消关注" in the followed-projects list (hidden elsewhere).
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class NetImageView;

class ToveraListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 80;
    /// The tag of the follow button: a tap on it unfollows the row's project.
    static constexpr int kUnfollowTag = 2;

    explicit ToveraListItem(QWidget* parent = nullptr);

    /// One project summary of a search or followed-projects reply.
    void setInfo(const Dict& info) override;
    /// The list's mode: "housefocus" shows the "取消关注" button.
    void setitemtype(std::string_view api);

    /// "%@元/平方米" for a non-zero price, else "一房一价".
    static QString priceText(const Dict& info);
    /// The sale-state name at `state` in the configuration's "salestate"
    /// list; empty for an index outside it.
    static QString stateName(int state);

    NetImageView* imgView() const { return imgView_; }
    platform::ui::Label* titleLabel() const { return titleLabel_; }
    platform::ui::Label* introLbl() const { return introLbl_; }
    platform::ui::Label* stateLabel() const { return stateLabel_; }
    platform::ui::Button* focusBtn() const { return focusBtn_; }

private:
    NetImageView* imgView_ = nullptr;
    platform::ui::Label* titleLabel_ = nullptr;
    platform::ui::Label* introLbl_ = nullptr;
    platform::ui::Label* stateLabel_ = nullptr;
    platform::ui::Button* focusBtn_ = nullptr;
};

}  // namespace tovera
