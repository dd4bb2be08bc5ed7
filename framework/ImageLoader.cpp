#include "framework/ImageLoader.h"

#include <QByteArray>
#include <QPointer>
#include <QUrl>

#include "framework/ImageCache.h"
#include "framework/NSUtil.h"
#include "framework/OperationQueue.h"
#include "framework/PictureMemoryCache.h"
#include "platform/MainQueue.h"
#include "platform/net/Http.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

namespace {

constexpr int kWidgetThreads = 4;
constexpr auto kPictureTimeout = std::chrono::seconds(30);

QImage decode(std::string_view bytes) {
    return QImage::fromData(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace

std::vector<std::string> ImageLoader::splitUrls(std::string_view text) {
    return NSUtil::explode(text, "|");
}

QImage ImageLoader::cachedImage(std::string_view url) {
    // Kept by the cache file's path: a home of its own keeps pictures of its own.
    const std::string key = ImageCache::filePath(url);
    QImage kept = PictureMemoryCache::shared().find(key);
    if (!kept.isNull()) return kept;
    const std::optional<std::string> bytes = ImageCache::read(url);
    if (!bytes || bytes->empty()) return {};
    QImage image = decode(*bytes);
    PictureMemoryCache::shared().insert(key, image);
    return image;
}

QImage ImageLoader::fetchImage(const std::string& url) {
    platform::net::HttpRequest request;
    request.url = url;
    request.timeout = kPictureTimeout;
    const platform::net::FetchResult result = platform::net::fetch(request);
    if (result.error || result.response.statusCode < 200 || result.response.statusCode >= 300)
        return {};
    QImage image = decode(result.body);
    if (!image.isNull()) {
        ImageCache::write(url, result.body);
        PictureMemoryCache::shared().insert(ImageCache::filePath(url), image);
    }
    return image;
}

void ImageLoader::load(const std::string& url, OperationQueue& queue, QObject* context, Done done) {
    // The guard is made and read on the main thread only; the worker just
    // carries it. Without a context the picture is always delivered.
    auto guard = context ? std::make_shared<QPointer<QObject>>(context) : nullptr;
    queue.addOperation([url, guard, done = std::move(done)] {
        QImage image = cachedImage(url);
        if (image.isNull()) image = fetchImage(url);
        platform::mainQueue().post([guard, done, image = std::move(image)] {
            if (!guard || *guard) done(image);
        });
    });
}

OperationQueue& ImageLoader::widgetQueue() {
    static OperationQueue queue(kWidgetThreads);
    return queue;
}

platform::ui::Image ImageLoader::loadingPicture() {
    return platform::ui::Image::named(QStringLiteral("global_loadpic.png"));
}

platform::ui::Image ImageLoader::noPicture() {
    return platform::ui::Image::named(QStringLiteral("global_nopic.png"));
}

void ImageLoader::installWebPictureLoader() {
    platform::ui::WebView::setPictureLoader(
        [](const QUrl& url, platform::ui::WebViewEngine::PictureDone done) {
            load(url.toString().toStdString(), widgetQueue(), nullptr, std::move(done));
        });
    platform::ui::WebView::setPicturePlaceholders(loadingPicture().toImage(),
                                                  noPicture().toImage());
}

}  // namespace tovera
