#include "platform/ui/navigation/BarButtonItem.h"

#include "platform/ui/views/Control.h"

#include <QWidget>

namespace tovera::platform::ui {

BarButtonItem::BarButtonItem(const QString& title, Style style, QObject* parent)
    : QObject(parent), title_(title), style_(style) {}

BarButtonItem::BarButtonItem(QWidget* customView, QObject* parent)
    : QObject(parent), style_(Style::Plain), customView_(customView) {}

BarButtonItem::~BarButtonItem() {
    // The custom view belongs to the item, wherever the bar put it.
    if (customView_) customView_->deleteLater();
}

void BarButtonItem::setTitle(const QString& title) {
    title_ = title;
    emit changed();
}

void BarButtonItem::setStyle(Style style) {
    style_ = style;
    emit changed();
}

void BarButtonItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    emit changed();
}

void BarButtonItem::trigger() {
    if (!enabled_) return;
    if (auto* control = qobject_cast<Control*>(customView_.data())) {
        control->sendTap();
        return;
    }
    emit triggered(this);
}

}  // namespace tovera::platform::ui
