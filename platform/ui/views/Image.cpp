#include "platform/ui/views/Image.h"

#include <qdrawutil.h>
#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>

#include <cmath>

namespace tovera::platform::ui {

namespace {

QStringList& paths() {
    static QStringList list;
    return list;
}

QHash<QString, Image>& cache() {
    static QHash<QString, Image> images;
    return images;
}

QImage readImage(QImageReader& reader) {
    reader.setAutoTransform(true);
    QImage image = reader.read();
    return image;
}

QStringList candidates(const QString& name) {
    QFileInfo info(name);
    const QString suffix = info.suffix().toLower();
    const bool hasImageSuffix =
        suffix == "png" || suffix == "jpg" || suffix == "jpeg" || suffix == "gif";
    QString base = hasImageSuffix ? name.left(name.size() - suffix.size() - 1) : name;
    if (base.endsWith("@2x")) base.chop(3);
    QStringList exts = hasImageSuffix ? QStringList{info.suffix()} : QStringList{"png", "jpg"};
    QStringList out;
    for (const QString& ext : exts) {
        out << base + "@2x." + ext;
        out << base + "." + ext;
    }
    return out;
}

}  // namespace

Image::Image(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}

Image::Image(const QImage& image, double scale) {
    if (image.isNull()) return;
    pixmap_ = QPixmap::fromImage(image);
    pixmap_.setDevicePixelRatio(scale > 0 ? scale : 1);
}

Image Image::named(const QString& name) {
    if (name.isEmpty() || name.contains("..")) return {};
    auto& images = cache();
    auto found = images.find(name);
    if (found != images.end()) return *found;
    Image result;
    for (const QString& dir : paths()) {
        for (const QString& file : candidates(name)) {
            const QString path = dir + "/" + file;
            if (!QFileInfo::exists(path)) continue;
            QImageReader reader(path);
            QImage image = readImage(reader);
            if (image.isNull()) continue;
            result = Image(image, file.contains("@2x.") ? 2 : 1);
            break;
        }
        if (!result.isNull()) break;
    }
    images.insert(name, result);
    return result;
}

Image Image::fromData(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return Image(readImage(reader));
}

Image Image::fromFile(const QString& path) {
    QImageReader reader(path);
    return Image(readImage(reader), path.contains("@2x.") ? 2 : 1);
}

void Image::setSearchPaths(const QStringList& dirs) {
    paths() = dirs;
    clearCache();
}

QStringList Image::searchPaths() {
    return paths();
}

void Image::clearCache() {
    cache().clear();
}

QSizeF Image::size() const {
    if (pixmap_.isNull()) return {};
    return pixmap_.deviceIndependentSize();
}

Image Image::stretchable(int leftCap, int topCap) const {
    const QSizeF s = size();
    EdgeInsets caps;
    if (leftCap > 0) {
        caps.left = leftCap;
        caps.right = std::max(0.0, s.width() - leftCap - 1);
    }
    if (topCap > 0) {
        caps.top = topCap;
        caps.bottom = std::max(0.0, s.height() - topCap - 1);
    }
    return withCapInsets(caps);
}

Image Image::withCapInsets(const EdgeInsets& caps) const {
    Image copy = *this;
    copy.caps_ = caps;
    copy.stretchable_ = true;
    return copy;
}

QRectF Image::placement(const QSizeF& content, const QRectF& bounds, ContentMode mode) {
    if (content.isEmpty()) return bounds;
    QSizeF size = content;
    switch (mode) {
        case ContentMode::ScaleToFill:
            return bounds;
        case ContentMode::ScaleAspectFit:
            size = content.scaled(bounds.size(), Qt::KeepAspectRatio);
            break;
        case ContentMode::ScaleAspectFill:
            size = content.scaled(bounds.size(), Qt::KeepAspectRatioByExpanding);
            break;
        default:
            break;
    }
    QRectF r(QPointF(), size);
    r.moveCenter(bounds.center());
    switch (mode) {
        case ContentMode::Top:
            r.moveTop(bounds.top());
            break;
        case ContentMode::Bottom:
            r.moveBottom(bounds.bottom());
            break;
        case ContentMode::Left:
            r.moveLeft(bounds.left());
            break;
        case ContentMode::Right:
            r.moveRight(bounds.right());
            break;
        case ContentMode::TopLeft:
            r.moveTopLeft(bounds.topLeft());
            break;
        default:
            break;
    }
    return r;
}

void Image::draw(QPainter& painter, const QRectF& rect, ContentMode mode) const {
    if (pixmap_.isNull() || rect.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretchable_) {
        const QMargins margins(int(caps_.left), int(caps_.top), int(caps_.right),
                               int(caps_.bottom));
        // The source rectangle and its margins are in pixels, the target's in points.
        const qreal dpr = pixmap_.devicePixelRatio();
        const QMargins source(int(caps_.left * dpr), int(caps_.top * dpr), int(caps_.right * dpr),
                              int(caps_.bottom * dpr));
        qDrawBorderPixmap(&painter, rect.toRect(), margins, pixmap_, pixmap_.rect(), source);
    } else {
        const QRectF target = placement(size(), rect, mode);
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawPixmap(target, pixmap_, QRectF(QPointF(), pixmap_.size()));
    }
    painter.restore();
}

}  // namespace tovera::platform::ui
