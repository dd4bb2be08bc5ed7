#include "framework/ButtonsView.h"

#include <QPainter>

#include "framework/NSUtil.h"

namespace tovera {

ButtonsView::ButtonsView(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

void ButtonsView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (!background_)
        background_ =
            platform::ui::Image::named(QString::fromStdString(NSUtil::skin({}, "top_tab_bg")));
    QPainter painter(this);
    background_->draw(painter, bounds(), platform::ui::ContentMode::ScaleToFill);
}

}  // namespace tovera
