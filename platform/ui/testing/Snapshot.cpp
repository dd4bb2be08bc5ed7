#include "platform/ui/testing/Snapshot.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QWidget>

namespace tovera::platform::ui::testing {

QImage render(QWidget* widget) {
    if (!widget) return {};
    return widget->grab().toImage();
}

QImage renderAsShown(QWidget* widget) {
    if (!widget) return {};
    QWidget* top = widget->window();
    const QImage whole = render(top);
    const double scale = whole.devicePixelRatio();
    const QRect area(widget->mapTo(top, QPoint(0, 0)), widget->size());
    const QRect pixels(area.topLeft() * scale, area.size() * scale);
    QImage part = whole.copy(pixels);
    part.setDevicePixelRatio(scale);
    return part;
}

bool savePng(QWidget* widget, const QString& path) {
    const QImage image = render(widget);
    if (image.isNull()) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "PNG");
}

bool looksBlank(const QImage& image) {
    if (image.isNull()) return true;
    QHash<QRgb, int> colours;
    const int stepX = std::max(1, image.width() / 64);
    const int stepY = std::max(1, image.height() / 96);
    int samples = 0;
    for (int y = 0; y < image.height(); y += stepY)
        for (int x = 0; x < image.width(); x += stepX) {
            ++colours[image.pixel(x, y)];
            ++samples;
        }
    int dominant = 0;
    for (int count : colours)
        dominant = std::max(dominant, count);
    return colours.size() < 3 || dominant > samples * 98 / 100;
}

QRect boundsWhere(const QImage& image, const std::function<bool(const QColor&)>& match) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool isInk(const QColor& colour) {
    return colour.alpha() > 128 && colour.lightness() < 110;
}

bool isColourful(const QColor& colour) {
    return colour.alpha() > 128 && colour.hsvSaturation() > 100 && colour.value() > 80;
}

}  // namespace tovera::platform::ui::testing
