#include "framework/PickerPanel.h"

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;

PickerPanel::PickerPanel(double width, QWidget* parent)
    : View(QRectF(0, 0, width, kHeight), parent) {
    setBackgroundColor(Qt::white);
    auto* bar = new View(QRectF(0, 0, width, kBarHeight), this);
    bar->setBackgroundColor(NSUtil::skinColor());
    SkinChange::follow(bar, [bar] { bar->setBackgroundColor(NSUtil::skinColor()); });
    auto addButton = [&](const QString& title, int tag, double x) {
        auto* button = new Button(QRectF(x, 7, 60, 30), bar);
        button->setTitle(title);
        button->setTitleColor(NSUtil::black());
        button->setFont(NSUtil::normalFont());
        button->setTag(tag);
        connect(button, &platform::ui::Control::touchUpInside, this,
                [this, button](platform::ui::Control*) { pressed(button); });
        return button;
    };
    cancel_ = addButton(QStringLiteral("取消"), kCancelTag, 8);
    confirm_ = addButton(QStringLiteral("确定"), kConfirmTag, width - 68);
    cancel_->setKeyRole(platform::ui::Control::KeyRole::Cancel);
    confirm_->setKeyRole(platform::ui::Control::KeyRole::Default);
}

QRectF PickerPanel::pickerFrame() const {
    return QRectF(0, kBarHeight, frame().width(), kHeight - kBarHeight);
}

void PickerPanel::showAtBottom() {
    if (View* parent = superview()) {
        const QRectF area = parent->bounds();
        setFrame(QRectF(0, area.height() - kHeight, area.width(), kHeight));
        parent->bringSubviewToFront(this);
    }
    setHidden(false);
}

void PickerPanel::pressed(Button* button) {
    setHidden(true);
    if (QXViewDelegate* delegate = delegate_.get()) delegate->qxView(this, button);
}

}  // namespace tovera
