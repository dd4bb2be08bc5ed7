// The row of one news category in the subscription list: its name, its
// subscriber count and a check mark while it is subscribed.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class ImageView;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class RssNewsCatItem : public CustomCell {
    Q_OBJECT
public:
    explicit RssNewsCatItem(QWidget* parent = nullptr);

    void setInfo(const Dict& info) override;

    platform::ui::Label* nameLabel() const { return nameLabel_; }
    platform::ui::Label* countLabel() const { return countLabel_; }
    /// Shown exactly while the category is subscribed.
    platform::ui::ImageView* checkImage() const { return checkImage_; }

private:
    platform::ui::Label* nameLabel_ = nullptr;
    platform::ui::Label* countLabel_ = nullptr;
    platform::ui::ImageView* checkImage_ = nullptr;
};

}  // namespace tovera
