#include "framework/PictureMemoryCache.h"

#include <charconv>

#include "core/PreferenceKeys.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

std::size_t positiveOr(std::string_view key, std::size_t fallback) {
    const std::optional<std::string> text = platform::preferences().string(key);
    if (!text) return fallback;
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value == 0) return fallback;
    return value;
}

}  // namespace

PictureMemoryCache::Bounds PictureMemoryCache::boundsFromPreferences() {
    return Bounds{positiveOr(PrefKey::kPictureCacheCount, kDefaultCount),
                  positiveOr(PrefKey::kPictureCacheBytes, kDefaultBytes)};
}

PictureMemoryCache& PictureMemoryCache::shared() {
    static PictureMemoryCache cache;
    return cache;
}

QImage PictureMemoryCache::find(std::string_view url) {
    std::lock_guard lock(mutex_);
    const auto found = byUrl_.find(std::string(url));
    if (found == byUrl_.end()) return {};
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->picture;
}

void PictureMemoryCache::insert(std::string_view url, const QImage& picture, Bounds bounds) {
    if (url.empty() || picture.isNull()) return;
    const auto size = static_cast<std::size_t>(picture.sizeInBytes());
    std::lock_guard lock(mutex_);
    if (const auto found = byUrl_.find(std::string(url)); found != byUrl_.end()) {
        bytes_ -= found->second->bytes;
        entries_.erase(found->second);
        byUrl_.erase(found);
    }
    if (size > bounds.bytes) return;
    entries_.push_front(Entry{std::string(url), picture, size});
    byUrl_[entries_.front().url] = entries_.begin();
    bytes_ += size;
    trim(bounds);
}

void PictureMemoryCache::trim(Bounds bounds) {
    while (!entries_.empty() && (entries_.size() > bounds.count || bytes_ > bounds.bytes)) {
        bytes_ -= entries_.back().bytes;
        byUrl_.erase(entries_.back().url);
        entries_.pop_back();
    }
}

void PictureMemoryCache::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    byUrl_.clear();
    bytes_ = 0;
}

std::size_t PictureMemoryCache::count() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::size_t PictureMemoryCache::bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

}  // namespace tovera
