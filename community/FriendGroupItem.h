// One friend group in "分组管理": its name and the buttons to rename it
// (tag 1) and to delete it (tag 2), which the fixed groups do not offer.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class FriendGroupItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 44;
    static constexpr int kModifyTag = 1;
    static constexpr int kDeleteTag = 2;

    explicit FriendGroupItem(QWidget* parent = nullptr);

    /// The group ("id", "name"); ids 1 and 2 are the fixed groups.
    void setInfo(const Dict& info) override;
    int groupId() const { return groupId_; }
    QString groupName() const;

    platform::ui::Button* modifyBtn() const { return modifyBtn_; }
    platform::ui::Button* deleteBtn() const { return deleteBtn_; }

    /// Whether the group with `id` is one of the fixed groups.
    static bool isFixed(int id) { return id == 1 || id == 2; }

private:
    platform::ui::Label* nameLabel_ = nullptr;
    platform::ui::Button* modifyBtn_ = nullptr;
    platform::ui::Button* deleteBtn_ = nullptr;
    int groupId_ = 0;
};

}  // namespace tovera
