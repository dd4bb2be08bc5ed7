// One member in the member search or the blacklist: the name (with the
// remark) and one button, "添加" (ask the member to be a friend) or "取消"
// (take the member off the blacklist). The row sends its request itself,
// shows the service's answer, and tells its delegate only when the service
// took the action, so a refusal leaves the row where it is.
#pragma once

#include "core/QXRequestDelegate.h"
#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class FriendsSearchItem : public CustomCell, public QXRequestDelegate {
    Q_OBJECT
public:
    static constexpr double kHeight = 44;
    static constexpr int kAddTag = 0;
    static constexpr int kCancelTag = 1;

    explicit FriendsSearchItem(QWidget* parent = nullptr);

    /// Shows the member; the button shows only for a member who is not a
    /// friend yet (a negative "groupid").
    void setInfo(const Dict& info) override;
    /// 0: the button is "添加"; any other value: "取消", shown.
    void setType(int type);
    int memberId() const { return memberId_; }

    void btnPressed(platform::ui::Button* button) override;
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::Label* nameLabel() const { return nameLabel_; }
    platform::ui::Button* button() const { return button_; }

private:
    platform::ui::Label* nameLabel_ = nullptr;
    platform::ui::Button* button_ = nullptr;
    int memberId_ = 0;
};

}  // namespace tovera
