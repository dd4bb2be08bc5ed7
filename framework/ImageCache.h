// The picture cache: one file per picture URL in the documents directory,
// holding the fetched bytes unchanged. A file is named by the URL after
// URLEncodedString; a URL whose encoded name is no safe file name (too long
// for the file system) is named by the MD5 of its text instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovera {

class ImageCache {
public:
    /// The cache file name of `url`; empty for an empty URL.
    static std::string fileName(std::string_view url);
    /// `<home>/Documents/<fileName>`; empty for an empty URL.
    static std::string filePath(std::string_view url);
    /// The cached bytes of `url`, if a file is there.
    static std::optional<std::string> read(std::string_view url);
    /// Replaces the cached bytes of `url` atomically (a reader never sees
    /// half a file). Returns whether they were written.
    static bool write(std::string_view url, std::string_view bytes);
};

}  // namespace tovera
