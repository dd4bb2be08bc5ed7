#include "framework/ImageTitle.h"

#include <QPainter>

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"

namespace tovera {

using platform::ui::Button;

namespace {
constexpr double kAccentWidth = 4;
constexpr double kInset = 10;
}  // namespace

ImageTitle::ImageTitle(const QRectF& frame, const QString& title) : View(frame) {
    setAutoresizingMask(FlexibleWidth);
    setBackgroundColor(NSUtil::listview_item());
    titleBtn_ = new Button(QRectF(kInset + kAccentWidth, 0,
                                  frame.width() - 2 * kInset - kAccentWidth, frame.height()));
    titleBtn_->setAutoresizingMask(FlexibleWidth);
    titleBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    titleBtn_->setFont(platform::ui::Font::boldSystem(15));
    titleBtn_->setTitleColor(NSUtil::black());
    titleBtn_->setTitle(title);
    // A heading: clicks on it go to what lies beneath.
    titleBtn_->setUserInteractionEnabled(false);
    addSubview(titleBtn_);
    SkinChange::follow(this, [this] { update(); });
}

void ImageTitle::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    const QRectF b = bounds();
    painter.fillRect(QRectF(kInset, 9, kAccentWidth, b.height() - 18), NSUtil::skinColor());
    painter.fillRect(QRectF(0, b.height() - 1, b.width(), 1), QColor(0xD0, 0xD0, 0xD4));
}

}  // namespace tovera
