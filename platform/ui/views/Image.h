// A picture as the toolkit's views take it: a pixmap whose size is in points
// (a "@2x" file is drawn at half its pixel size), optionally stretchable with
// fixed end caps, looked up by name among the shipped resources.
#pragma once

#include "platform/ui/views/Geometry.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QPainter;

namespace tovera::platform::ui {

class Image {
public:
    Image() = default;
    explicit Image(QPixmap pixmap);
    /// `scale` pixels per point (2 for a "@2x" picture).
    explicit Image(const QImage& image, double scale = 1);

    /// The picture named `name` ("top_bg", "face3.png", "icon@2x.png") in the
    /// search paths: with or without extension, the "@2x" variant preferred.
    /// Cached; a null image when there is none.
    static Image named(const QString& name);
    /// Decodes bytes (PNG, JPEG, GIF, ...); a null image when they do not decode.
    static Image fromData(const QByteArray& bytes);
    static Image fromFile(const QString& path);

    /// Directories searched by named(), in order.
    static void setSearchPaths(const QStringList& dirs);
    static QStringList searchPaths();
    /// Forgets the pictures named() has loaded.
    static void clearCache();

    bool isNull() const { return pixmap_.isNull(); }
    /// Size in points.
    QSizeF size() const;
    const QPixmap& pixmap() const { return pixmap_; }
    QImage toImage() const { return pixmap_.toImage(); }

    /// A copy that stretches only its middle column and row: the left cap is
    /// `leftCap` points wide, the right cap the rest less one point (likewise
    /// for the top). A cap of 0 stretches the whole picture in that direction.
    Image stretchable(int leftCap, int topCap) const;
    /// A copy with explicit cap insets (points).
    Image withCapInsets(const EdgeInsets& caps) const;
    EdgeInsets capInsets() const { return caps_; }
    bool isStretchable() const { return stretchable_; }

    /// Draws into `rect` as `mode` says (a stretchable picture always fills).
    void draw(QPainter& painter, const QRectF& rect,
              ContentMode mode = ContentMode::ScaleToFill) const;

    /// Where a picture of `content` size lands inside `bounds` under `mode`.
    static QRectF placement(const QSizeF& content, const QRectF& bounds, ContentMode mode);

    bool operator==(const Image& other) const {
        return pixmap_.cacheKey() == other.pixmap_.cacheKey() && caps_ == other.caps_ &&
               stretchable_ == other.stretchable_;
    }

private:
    QPixmap pixmap_;
    EdgeInsets caps_;
    bool stretchable_ = false;
};

}  // namespace tovera::platform::ui
