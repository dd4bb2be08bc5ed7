// Temporary directories for tests: every test works in a home of its own,
// removed again when the test ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/AppHome.h"

namespace tovera::testing {

/// A fresh, empty directory under the system's temporary directory.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovera-test-XXXXXX");
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// A temporary directory installed as the application home while it lives.
class TempHome : public TempDir {
public:
    TempHome() { platform::setHomeDirectory(path().string()); }
    ~TempHome() { platform::setHomeDirectory(""); }
};

}  // namespace tovera::testing
