#include "platform/ui/navigation/TabBarItem.h"

namespace tovera::platform::ui {

TabBarItem::TabBarItem(const QString& title, const Image& image, int tag, QObject* parent)
    : QObject(parent), title_(title), image_(image), tag_(tag) {}

void TabBarItem::setTitle(const QString& title) {
    title_ = title;
    emit changed();
}

void TabBarItem::setImage(const Image& image) {
    image_ = image;
    emit changed();
}

void TabBarItem::setSelectedImage(const Image& image) {
    selectedImage_ = image;
    emit changed();
}

void TabBarItem::setBadgeValue(const QString& badge) {
    badge_ = badge;
    emit changed();
}

void TabBarItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    emit changed();
}

}  // namespace tovera::platform::ui
