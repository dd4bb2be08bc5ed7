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

}  // namespace tovera::platform::ui::testing
