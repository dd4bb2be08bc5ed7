// NSUtil's photo helpers: shrinking a picked photo to the upload size and
// choosing its JPEG quality. QImage only, so they run on any thread.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <algorithm>
#include <cmath>

#include "framework/NSUtil.h"
#include "platform/Log.h"

namespace tovera {

namespace {
constexpr qsizetype kLargeJpeg = 12500;
}  // namespace

QByteArray NSUtil::compressedData(const QImage& image, double quality) {
    if (std::isnan(quality)) quality = 1.0;
    quality = std::clamp(quality, 0.0, 1.0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", int(std::lround(quality * 100)));
    return bytes;
}

double NSUtil::compressionQuality(const QImage& image) {
    return compressedData(image, 1.0).size() > kLargeJpeg ? 0.6 : 1.0;
}

QImage NSUtil::imageByScalingAndCroppingForSize(const QImage& image, const QSizeF& target) {
    if (image.isNull()) return image;
    const QSizeF size = image.size();
    double factor = 1.0;
    if (size.width() > target.width() && target.width() > 0)
        factor = std::min(factor, target.width() / size.width());
    if (size.height() > target.height() && target.height() > 0)
        factor = std::min(factor, target.height() / size.height());

    QImage scaled = image;
    if (factor < 1.0) {
        const QSize wanted(std::max(1, int(size.width() * factor)),
                           std::max(1, int(size.height() * factor)));
        scaled = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (scaled.isNull()) {
            platform::logLine("could not scale image");
            scaled = image;
        }
    }
    const QImage compressed =
        QImage::fromData(compressedData(scaled, compressionQuality(scaled)), "JPEG");
    return compressed.isNull() ? scaled : compressed;
}

}  // namespace tovera
