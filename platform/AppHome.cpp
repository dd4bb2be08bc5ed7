#include "platform/AppHome.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/Log.h"

namespace fs = std::filesystem;

namespace tovera::platform {

namespace {

struct Places {
    std::mutex mutex;
    std::string home;       // empty: the default
    std::string resources;  // empty: looked up
};

Places& places() {
    static Places p;
    return p;
}

std::string absolute(std::string_view dir) {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(dir), ec);
    return (ec ? fs::path(dir) : path).lexically_normal().string();
}

std::string userHome() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

std::string defaultHome() {
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return (fs::path(xdg) / "tovera").string();
    return (fs::path(userHome()) / ".local/share/tovera").string();
}

std::string createdSubdirectory(std::string_view sub) {
    std::string dir = (fs::path(homeDirectory()) / sub).string();
    makeDirectories(dir);
    return dir;
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

fs::path executableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

}  // namespace

void setHomeDirectory(std::string_view dir) {
    std::string home = dir.empty() ? std::string() : absolute(dir);
    std::lock_guard lock(places().mutex);
    places().home = std::move(home);
}

std::string homeDirectory() {
    {
        std::lock_guard lock(places().mutex);
        if (!places().home.empty()) return places().home;
    }
    return defaultHome();
}

std::string documentsDirectory() {
    return createdSubdirectory("Documents");
}

std::string preferencesDirectory() {
    return createdSubdirectory("Library/Preferences");
}

bool makeDirectories(const std::string& dir) {
    if (dir.empty()) return false;
    if (isDirectory(dir)) return true;
    fs::path partial;
    for (const fs::path& part : fs::path(dir)) {
        partial /= part;
        if (part == "/" || isDirectory(partial)) continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            logLine("cannot create directory " + partial.string() + ": " +
                    std::error_code(errno, std::generic_category()).message());
            return false;
        }
    }
    return isDirectory(dir);
}

std::string resourceDirectory() {
    {
        std::lock_guard lock(places().mutex);
        if (!places().resources.empty()) return places().resources;
    }
    const fs::path exeDir = executableDirectory();
    std::vector<fs::path> candidates;
    if (!exeDir.empty()) {
        candidates.push_back(exeDir / "../share/tovera/resources");
        candidates.push_back(exeDir / "resources");
    }
#ifdef TOVERA_SOURCE_RESOURCE_DIR
    candidates.emplace_back(TOVERA_SOURCE_RESOURCE_DIR);
#endif
    for (const fs::path& candidate : candidates)
        if (isDirectory(candidate)) return candidate.lexically_normal().string();
    return candidates.empty() ? std::string("resources") : candidates.front().string();
}

void setResourceDirectory(std::string_view dir) {
    std::string resources = dir.empty() ? std::string() : absolute(dir);
    std::lock_guard lock(places().mutex);
    places().resources = std::move(resources);
}

bool isSafeFileName(std::string_view name) {
    constexpr std::size_t kNameMax = 255;
    return !name.empty() && name.size() <= kNameMax && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace tovera::platform
