#include "platform/ui/navigation/NavigationItem.h"

#include "platform/ui/navigation/BarButtonItem.h"

#include <QWidget>

namespace tovera::platform::ui {

NavigationItem::NavigationItem(QObject* parent) : QObject(parent) {}

void NavigationItem::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit changed();
}

void NavigationItem::setTitleView(QWidget* view) {
    if (view == titleView_) return;
    if (titleView_) titleView_->deleteLater();
    titleView_ = view;
    emit changed();
}

void NavigationItem::replace(QPointer<BarButtonItem>& slot, BarButtonItem* item) {
    if (item == slot) return;
    if (slot) {
        disconnect(slot, nullptr, this, nullptr);
        slot->deleteLater();
    }
    slot = item;
    if (item) {
        item->setParent(this);
        connect(item, &BarButtonItem::changed, this, &NavigationItem::changed);
    }
    emit changed();
}

void NavigationItem::setLeftBarButtonItem(BarButtonItem* item) {
    replace(left_, item);
}

void NavigationItem::setRightBarButtonItem(BarButtonItem* item) {
    replace(right_, item);
}

void NavigationItem::setBackBarButtonItem(BarButtonItem* item) {
    replace(back_, item);
}

void NavigationItem::setHidesBackButton(bool hides) {
    hidesBack_ = hides;
    emit changed();
}

}  // namespace tovera::platform::ui
