// Decoded remote pictures kept in memory, so that a screen opened again (or a
// list row scrolled back) shows its pictures without reading and decoding
// the cache file on the main thread. Bounded by a count and by the bytes of
// the decoded pixels, both read from the preferences (see PrefKey), the
// least recently used going first. Safe from any thread.
#pragma once

#include <QImage>

#include <cstddef>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tovera {

class PictureMemoryCache {
public:
    static constexpr std::size_t kDefaultCount = 150;
    static constexpr std::size_t kDefaultBytes = 24 * 1024 * 1024;

    struct Bounds {
        std::size_t count = kDefaultCount;
        std::size_t bytes = kDefaultBytes;
    };
    /// The bounds in the preferences; the defaults where a key is missing or
    /// holds no positive whole number.
    static Bounds boundsFromPreferences();

    /// The cache of the application.
    static PictureMemoryCache& shared();

    /// The picture kept under `url` (any key text); null when none is.
    QImage find(std::string_view url);
    /// Keeps `picture` for `url` within `bounds` (a picture larger than the
    /// byte bound is not kept).
    void insert(std::string_view url, const QImage& picture, Bounds bounds);
    void insert(std::string_view url, const QImage& picture) {
        insert(url, picture, boundsFromPreferences());
    }
    void clear();

    std::size_t count() const;
    std::size_t bytes() const;

private:
    struct Entry {
        std::string url;
        QImage picture;
        std::size_t bytes = 0;
    };
    void trim(Bounds bounds);

    mutable std::mutex mutex_;
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> byUrl_;
    std::size_t bytes_ = 0;
};

}  // namespace tovera
