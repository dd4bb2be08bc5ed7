#include "framework/GridView.h"

#include "platform/ui/views/Control.h"

#include <QMouseEvent>

#include <algorithm>

namespace tovera {

using platform::ui::View;

GridView::GridView(const QRectF& frame, QWidget* parent) : ScrollView(frame, parent) {
    setAlwaysBounceVertical(true);
}

GridViewDataSource* GridView::dataSource() const {
    if (GridViewDataSource* source = dataSource_.get()) return source;
    return delegate_.get();
}

void GridView::setBackgroudView(View* view) {
    if (view == backgroudView_) return;
    if (backgroudView_) backgroudView_->deleteLater();
    backgroudView_ = view;
    if (view) {
        addSubview(view);
        view->lower();
    }
}

View* GridView::getItemAtPosition(int position) const {
    if (position < 0 || position >= rowdata_.size()) return nullptr;
    return rowdata_[position];
}

void GridView::reloadData() {
    GridViewDataSource* source = dataSource();
    QList<QPointer<View>> items;
    const int count = source ? std::max(0, source->numberOfItems(this)) : 0;
    // The old list stays readable while the source builds the new one, so
    // it can hand back the view already at a position (or one from another).
    for (int i = 0; i < count; ++i)
        items << source->viewForItemAtPosition(this, i);
    for (const QPointer<View>& old : rowdata_)
        if (old && !items.contains(old)) {
            old->hide();
            old->deleteLater();
        }
    rowdata_ = items;
    layoutItems();
}

double GridView::itemSide() const {
    const int columns = std::max(1, columNum_);
    const int space = std::max(1, spaceWidth_);
    return (bounds().width() - double(space) * columns) / columns;
}

void GridView::layoutSubviews() {
    ScrollView::layoutSubviews();
    layoutItems();
}

void GridView::layoutItems() {
    const int columns = std::max(1, columNum_);
    const double space = std::max(1, spaceWidth_);
    const double side = itemSide();
    double x = space;
    double y = space;
    double bottom = 0;
    for (int i = 0; i < rowdata_.size(); ++i) {
        if (i > 0 && i % columns == 0) {
            x = space;
            y += side + space;
        }
        View* item = rowdata_[i];
        if (!item) continue;
        if (item->parentWidget() != this) {
            addSubview(item);
            watch(item);
        }
        item->setFrame(QRectF(x, y, side, side));
        bottom = y + side;
        x += side + space;
    }
    setContentSize(QSizeF(bounds().width(), bottom));
    if (backgroudView_) backgroudView_->lower();
}

// A press anywhere on an item (its subviews included) selects it. An item
// that is a control is also selected by a tap played without the mouse (the
// keyboard's Enter, a screen reader's press), once: the tap that ends a
// mouse press has selected it already.
void GridView::watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
    auto* control = qobject_cast<platform::ui::Control*>(widget);
    if (!control) return;
    connect(control, &platform::ui::Control::touchUpInside, this, [this, control] {
        if (pressedItem_ == control) {
            pressedItem_ = nullptr;
            return;
        }
        const int position = rowdata_.indexOf(control);
        if (GridViewDataSource* source = dataSource(); source && position >= 0)
            source->didSelectItemAtPosition(this, position);
    });
    for (auto ended : {&platform::ui::Control::touchUpOutside, &platform::ui::Control::touchCancel})
        connect(control, ended, this, [this] { pressedItem_ = nullptr; });
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return ScrollView::eventFilter(watched, event);
    const auto key = platform::ui::MouseEventKey::of(static_cast<QMouseEvent*>(event));
    if (key == lastPress_) return false;
    lastPress_ = key;
    pressedItem_ = nullptr;
    for (auto* w = qobject_cast<QWidget*>(watched); w && w != this; w = w->parentWidget()) {
        const int position = rowdata_.indexOf(qobject_cast<View*>(w));
        if (position < 0) continue;
        pressedItem_ = w;
        if (GridViewDataSource* source = dataSource())
            source->didSelectItemAtPosition(this, position);
        break;
    }
    return false;
}

}  // namespace tovera
