// NSUtil::clearCache: trims the documents directory, where every downloaded
// picture is kept, and the kept replies to their size bound, when the
// application leaves the foreground.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/DBConnection.h"
#include "core/OfflineStore.h"
#include "core/PreferenceKeys.h"
#include "framework/NSUtil.h"
#include "platform/AppHome.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeptFiles = 100;

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The database ("tovera.sqlite", any "*.db") and its side files
// ("tovera.sqlite-journal", "-wal", "-shm") must outlive every trim: deleting
// a journal or WAL beside a live database corrupts it.
bool isDatabaseFile(std::string_view name) {
    if (endsWith(name, "sqlite") || endsWith(name, "db")) return true;
    return name.find(".sqlite-") != std::string_view::npos ||
           name.find(".db-") != std::string_view::npos;
}

struct Entry {
    fs::path path;
    fs::file_time_type modified;
};

// Every file but the newest goes when more than 100 are kept, except the
// database and its side files and the current splash picture.
void trimDocuments() {
    std::error_code ec;
    const fs::path documents = platform::documentsDirectory();
    std::vector<Entry> files;
    for (fs::directory_iterator it(documents, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (!it->is_regular_file(statError)) continue;
        const auto modified = it->last_write_time(statError);
        if (statError) continue;
        files.push_back({it->path(), modified});
    }
    if (files.size() <= kKeptFiles) return;

    std::sort(files.begin(), files.end(),
              [](const Entry& a, const Entry& b) { return a.modified > b.modified; });
    const std::string splash = platform::preferences().string(PrefKey::kSplash).value_or("");
    for (std::size_t i = 1; i < files.size(); ++i) {
        const std::string name = files[i].path.filename().string();
        if (isDatabaseFile(name) || (!splash.empty() && name == splash)) continue;
        std::error_code removeError;  // a file that cannot be deleted stays
        fs::remove(files[i].path, removeError);
    }
}

}  // namespace

void NSUtil::clearCache() {
    trimDocuments();
    // The kept copies for offline reading are held to their own bound (in
    // the database the app has open: a trim opens none).
    if (DBConnection::isOpen()) OfflineStore::keepToBound();
}

}  // namespace tovera
