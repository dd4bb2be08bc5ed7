#include "framework/RemoteImage.h"

#include "framework/ImageLoader.h"
#include "platform/Log.h"

namespace tovera {

RemoteImage::RemoteImage(QObject* owner, Show show) : owner_(owner), show_(std::move(show)) {}

void RemoteImage::setImgUrl(std::string_view text) {
    netimg_ = {};
    imgurlArray_ = ImageLoader::splitUrls(text);
    imgUrl_ = imgurlArray_.empty() ? std::string() : imgurlArray_.front();
    if (imgUrl_.empty()) {
        show_(ImageLoader::noPicture());
        return;
    }
    if (!showCached()) show_(ImageLoader::loadingPicture());
}

void RemoteImage::load() {
    if (imgUrl_.empty()) return;
    if (!netimg_.isNull()) {
        show_(netimg_);
        return;
    }
    if (showCached() || isLoading()) return;
    fetching_ = imgUrl_;
    const std::string url = imgUrl_;
    ImageLoader::load(url, ImageLoader::widgetQueue(), owner_,
                      [this, url](const QImage& image) { fetched(url, image); });
}

bool RemoteImage::showCached() {
    const QImage cached = ImageLoader::cachedImage(imgUrl_);
    if (cached.isNull()) return false;
    netimg_ = platform::ui::Image(cached);
    show_(netimg_);
    return true;
}

void RemoteImage::fetched(const std::string& url, const QImage& image) {
    if (fetching_ == url) fetching_.clear();
    if (url != imgUrl_) return;  // the widget shows another picture by now
    if (image.isNull()) {
        // The picture may be shown already, or have been stored by another
        // fetch of it while this one failed: a late failure never hides it.
        if (!netimg_.isNull() || showCached()) return;
        platform::logLine("cant't loadImg");
        show_(ImageLoader::noPicture());
        return;
    }
    netimg_ = platform::ui::Image(image);
    show_(netimg_);
}

}  // namespace tovera
