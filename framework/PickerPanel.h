// The panel the form pickers share: a bar in the skin colour with "取消"
// (tag 1) and "确定" (tag 2) above the picker a subclass adds. A press on
// either button hides the panel and is reported to the delegate as
// qxView(panel, button); tag 2 confirms, the others cancel.
#pragma once

#include "framework/QXViewDelegate.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class PickerPanel : public platform::ui::View {
    Q_OBJECT
public:
    static constexpr double kBarHeight = 44;
    static constexpr double kHeight = kBarHeight + 216;
    static constexpr int kCancelTag = 1;
    static constexpr int kConfirmTag = 2;

    explicit PickerPanel(double width, QWidget* parent = nullptr);

    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }
    /// Shows the panel along the bottom of its superview, in front.
    void showAtBottom();

    platform::ui::Button* cancelButton() const { return cancel_; }
    platform::ui::Button* confirmButton() const { return confirm_; }
    /// Where a subclass puts its picker: the panel below the bar.
    QRectF pickerFrame() const;

private:
    void pressed(platform::ui::Button* button);

    platform::ui::Button* cancel_ = nullptr;
    platform::ui::Button* confirm_ = nullptr;
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
};

}  // namespace tovera
