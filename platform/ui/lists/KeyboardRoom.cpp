#include "platform/ui/lists/KeyboardRoom.h"

#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/overlays/Keyboard.h"

#include <algorithm>

namespace tovera::platform::ui {

KeyboardRoom::KeyboardRoom(ScrollView* scroll) : QObject(scroll), scroll_(scroll) {
    Keyboard& keyboard = Keyboard::shared();
    connect(&keyboard, &Keyboard::didShow, this, &KeyboardRoom::keyboardShown);
    connect(&keyboard, &Keyboard::didHide, this, &KeyboardRoom::keyboardHidden);
}

void KeyboardRoom::keepInSight(const QList<QWidget*>& views) {
    keep_.clear();
    for (QWidget* view : views)
        keep_ << view;
}

void KeyboardRoom::keyboardShown(const KeyboardInfo& info) {
    QWidget* superview = scroll_->parentWidget();
    if (!superview || !scroll_->isVisible()) return;
    QRectF frame = scroll_->frame();
    frame.setHeight(std::max(0.0, Keyboard::heightAbove(superview, info.frameEnd) - frame.top()));
    scroll_->setFrame(frame);

    const QRectF input = contentRect(Keyboard::shared().input());
    if (input.isEmpty()) return;
    // The input first: what is typed must show. The form's buttons come
    // along when the whole stretch fits above the keyboard.
    QRectF stretch = input;
    for (const QPointer<QWidget>& view : keep_)
        if (view && view->isVisible()) stretch |= contentRect(view);
    scroll_->scrollRectToVisible(stretch.height() <= frame.height() ? stretch : input, false);
}

void KeyboardRoom::keyboardHidden() {
    QWidget* superview = scroll_->parentWidget();
    if (!superview) return;
    QRectF frame = scroll_->frame();
    frame.setHeight(superview->height() - frame.top());
    scroll_->setFrame(frame);
    // The taller view may now show past the content's end: back into range.
    const QPointF offset = scroll_->contentOffset();
    const QPointF min = scroll_->minimumOffset();
    const QPointF max = scroll_->maximumOffset();
    scroll_->setContentOffset(QPointF(std::clamp(offset.x(), min.x(), max.x()),
                                      std::clamp(offset.y(), min.y(), max.y())));
}

QRectF KeyboardRoom::contentRect(QWidget* view) const {
    // A text input's editor sits inside the field or text view the form placed.
    for (QWidget* w = view; w; w = w->parentWidget()) {
        if (w == scroll_) return {};
        View* placed = asView(w);
        if (placed && scroll_->isDescendant(placed))
            return placed->convertRect(placed->bounds(), scroll_);
    }
    return {};
}

}  // namespace tovera::platform::ui
