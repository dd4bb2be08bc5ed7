#include "framework/CustomCell.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;

CustomCell::CustomCell(const QString& reuseIdentifier, QWidget* parent)
    : TableViewCell(Style::Default, reuseIdentifier, parent) {
    setSelectedBackgroundView(NSUtil::skinSelectionView());
}

void CustomCell::btnPressed(Button* button) {
    if (QXViewDelegate* d = delegate_.get()) d->qxView(this, button);
}

void CustomCell::connectButton(Button* button) {
    if (!button) return;
    connect(button, &Button::touchUpInside, this,
            [this, button](platform::ui::Control*) { btnPressed(button); });
}

void CustomCell::setInfo(const Dict&) {
    textLabel()->setText(QString());
}

void CustomCell::setMore(const QString& text) {
    textLabel()->setTextAlignment(Qt::AlignHCenter);
    textLabel()->setText(text);
}

}  // namespace tovera
