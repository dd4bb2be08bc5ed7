#include "framework/ButtonsView.h"

#include <QPainter>

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"

namespace tovera {

ButtonsView::ButtonsView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    SkinChange::follow(this, [this] {
        background_.reset();
        update();
    });
}

void ButtonsView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (!background_) background_ = NSUtil::skinImage("top_tab_bg");
    QPainter painter(this);
    background_->draw(painter, bounds(), platform::ui::ContentMode::ScaleToFill);
}

}  // namespace tovera
