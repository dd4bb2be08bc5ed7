// The one picture loader: memory, then the cache file, then the network.
// Fetching and decoding run on a bounded operation queue; the decoded
// picture (or nothing, on failure) reaches the caller on the main thread.
// Fetched bytes go into the picture cache once they decode; decoded pictures
// are kept in the bounded PictureMemoryCache.
#pragma once

#include <QImage>
#include <QObject>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/views/Image.h"

namespace tovera {

class OperationQueue;

class ImageLoader {
public:
    /// Told the decoded picture, or a null image when fetching or decoding failed.
    using Done = std::function<void(const QImage&)>;

    /// The pieces of a URL field: split by "|", or by "," when it holds no "|".
    static std::vector<std::string> splitUrls(std::string_view text);

    /// The cached picture of `url`; null when not cached or not decodable.
    static QImage cachedImage(std::string_view url);
    /// Fetches `url` and decodes it (any thread; blocks). Writes the bytes
    /// to the cache when they decode. Null on failure.
    static QImage fetchImage(const std::string& url);

    /// Loads `url` in the background on `queue` (cache first, then the
    /// network) and calls `done` on the main thread unless `context` (when
    /// given) is gone.
    static void load(const std::string& url, OperationQueue& queue, QObject* context, Done done);

    /// The queue that widget fetches share (a few threads for the whole app).
    static OperationQueue& widgetQueue();

    /// The placeholders: "global_loadpic.png" while loading,
    /// "global_nopic.png" for no picture or a failure.
    static platform::ui::Image loadingPicture();
    static platform::ui::Image noPicture();

    /// Lets web views showing HTML text load their pictures through the
    /// cache, with this loader's placeholders while loading and on failure.
    /// The application installs it once at start.
    static void installWebPictureLoader();
};

}  // namespace tovera
