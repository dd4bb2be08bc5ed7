// The row of one question: the project it is about (where the list may show
// projects), its title, the asker, the number of answers, the date, and a
// mark telling whether it is solved. The project and the asker open their
// pages.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class ImageView;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class AskListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 95;
    static constexpr int kHouseTag = 1;
    static constexpr int kUserTag = 2;

    explicit AskListItem(QWidget* parent = nullptr);

    /// One question summary of the list.
    void setInfo(const Dict& info) override;
    /// Tells the delegate, then opens the project (tag 1) or the asker's
    /// page (tag 2).
    void btnPressed(platform::ui::Button* button) override;

    /// The project button; its tag is 1 while the list may show projects.
    platform::ui::Button* houseBtn() const { return houseBtn_; }
    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* askLbl() const { return askLbl_; }
    platform::ui::Label* replyLbl() const { return replyLbl_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::ImageView* solveImg() const { return solveImg_; }
    /// The summary shown.
    const Dict& info() const { return info_; }

private:
    Dict info_;
    platform::ui::Button* houseBtn_ = nullptr;
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* askLbl_ = nullptr;
    platform::ui::Label* replyLbl_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::ImageView* solveImg_ = nullptr;
};

}  // namespace tovera
