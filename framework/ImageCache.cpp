#include "framework/ImageCache.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Encoding.h"
#include "platform/AppHome.h"

namespace tovera {

std::string ImageCache::fileName(std::string_view url) {
    if (url.empty()) return {};
    std::string name = URLEncodedString(url);
    if (!platform::isSafeFileName(name)) name = md5Hash(url);
    return name;
}

std::string ImageCache::filePath(std::string_view url) {
    const std::string name = fileName(url);
    if (name.empty()) return {};
    return platform::documentsDirectory() + "/" + name;
}

std::optional<std::string> ImageCache::read(std::string_view url) {
    const std::string path = filePath(url);
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

bool ImageCache::write(std::string_view url, std::string_view bytes) {
    const std::string path = filePath(url);
    if (path.empty()) return false;
    // A short temporary name of its own per write (the final name may
    // already take the longest name allowed), so two fetches of one URL on
    // two threads never write into the same temporary file.
    static std::atomic<unsigned> counter{0};
    const std::string temporary = platform::documentsDirectory() + "/.picture-" +
                                  std::to_string(::getpid()) + "-" +
                                  std::to_string(counter.fetch_add(1)) + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) std::remove(temporary.c_str());
    return !ec;
}

}  // namespace tovera
