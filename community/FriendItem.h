// One friend in the friend list: the name (with the remark given to the
// friend), and buttons to block the friend's messages ("屏蔽"/"取消屏蔽"),
// to write to the friend and to edit the remark. The blacklist group's rows
// show neither the shield nor the remark button.
//
// The shield request is the row's own; the remark button is the screen's
// business and goes to the delegate, as does a shield change the service
// confirmed (so the screen's record follows).
#pragma once

#include "core/QXRequestDelegate.h"
#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class FriendItem : public CustomCell, public QXRequestDelegate {
    Q_OBJECT
public:
    static constexpr double kHeight = 44;
    static constexpr int kShieldTag = 1;
    static constexpr int kMessageTag = 2;
    static constexpr int kRemarkTag = 3;

    explicit FriendItem(QWidget* parent = nullptr);

    /// One friend record; `special` for a row of the blacklist group.
    void setFriend(const Value& record, bool special);
    /// The friend's id and whether messages from the friend are blocked.
    int friendId() const { return friendId_; }
    bool shielded() const { return shielded_; }

    void btnPressed(platform::ui::Button* button) override;
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::Label* nameLabel() const { return nameLabel_; }
    platform::ui::Button* shieldBtn() const { return shieldBtn_; }
    platform::ui::Button* messageBtn() const { return messageBtn_; }
    platform::ui::Button* remarkBtn() const { return remarkBtn_; }

private:
    void shield();
    void showShield();

    platform::ui::Label* nameLabel_ = nullptr;
    platform::ui::Button* shieldBtn_ = nullptr;
    platform::ui::Button* messageBtn_ = nullptr;
    platform::ui::Button* remarkBtn_ = nullptr;
    int friendId_ = 0;
    bool shielded_ = false;
    std::string name_;
};

}  // namespace tovera
