// The list row of one article: headline, one-line lead, date and an optional
// thumbnail. On the favourites list (a row whose "favorite" is 1) it shows
// the summary instead of the lead and a cancel button that clears the mark.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class NetImageView;

class NewsItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 90;
    /// The cancel button's tag once tapped (the favourites list removes the row).
    static constexpr int kCancelled = 2;

    explicit NewsItem(QWidget* parent = nullptr);

    void setInfo(const Dict& info) override;
    /// The cancel button clears the article's favourite mark in the local
    /// store first, then the tap goes to the delegate.
    void btnPressed(platform::ui::Button* button) override;

    platform::ui::Label* titleLabel() const { return titleLabel_; }
    platform::ui::Label* textLabelOfLead() const { return leadLabel_; }
    platform::ui::Label* dateLabel() const { return dateLabel_; }
    NetImageView* thumbnail() const { return thumbnail_; }
    platform::ui::Button* cancelButton() const { return cancelBtn_; }

private:
    platform::ui::Label* titleLabel_ = nullptr;
    platform::ui::Label* leadLabel_ = nullptr;
    platform::ui::Label* dateLabel_ = nullptr;
    NetImageView* thumbnail_ = nullptr;
    platform::ui::Button* cancelBtn_ = nullptr;
};

}  // namespace tovera
