#include "core/DBConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/OfflineStore.h"
#include "platform/AppHome.h"
#include "platform/Log.h"

namespace fs = std::filesystem;

namespace tovera {

namespace {

struct SharedDatabase {
    sqlite3* db = nullptr;
    std::function<double()> clock;
};

SharedDatabase& shared() {
    static SharedDatabase s;
    return s;
}

// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
constexpr double kReferenceDateOffset = 978307200.0;

constexpr std::array<std::string_view, 9> kCreateTables = {
    "BEGIN;CREATE TABLE IF NOT EXISTS urlcaches (url TEXT PRIMARY KEY, timestamp DOUBLE);"
    "COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS usersearchmsg (id INTEGER PRIMARY KEY, context TEXT, "
    "title TEXT, catname TEXT, user TEXT, uid TEXT, date TEXT, comment TEXT, pics TEXT, "
    "pic_t TEXT, classtype TEXT, cityid TEXT, cid TEXT);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS newsdetail (id INTEGER PRIMARY KEY, title TEXT, "
    "summary TEXT, text TEXT, source TEXT, update_at TEXT, comment TEXT, images TEXT, "
    "favorite INTEGER);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS newssearch (id INTEGER PRIMARY KEY, update_at TEXT, "
    "title TEXT, text TEXT, pic_sl TEXT, type INTEGER);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS account (username TEXT PRIMARY KEY, password TEXT);"
    "COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS housesearch (id INTEGER PRIMARY KEY, update_at TEXT, "
    "name TEXT, state TEXT, price TEXT, address TEXT, pic_sl TEXT, focus TEXT, "
    "cityid INTEGER);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS housedetail (id INTEGER PRIMARY KEY, update_at TEXT, "
    "name TEXT, state TEXT, price TEXT, address TEXT, selladdress TEXT, map TEXT, tel TEXT, "
    "info TEXT, introduce TEXT, num_look TEXT, num_buy TEXT, pic_sj TEXT, pic_jt TEXT, "
    "pic_nk TEXT);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS oldhousesearch (id INTEGER PRIMARY KEY, update_at TEXT, "
    "name TEXT, community TEXT, unit TEXT, area TEXT, size TEXT, price TEXT, text TEXT, "
    "source TEXT, recommand TEXT, hot TEXT, api TEXT);COMMIT;VACUUM;",
    "BEGIN;CREATE TABLE IF NOT EXISTS newssort (cid INTEGER PRIMARY KEY, catname TEXT, "
    "subscribed INTEGER);COMMIT;VACUUM;",
};

// Keeps the 50 newest messages of each listed city and the 100 newest
// articles. Favourites are never pruned: they are the user's own choice.
std::string cleanupSql() {
    std::string sql = "BEGIN;";
    for (int city = 3401; city <= 3410; ++city) {
        const std::string id = std::to_string(city);
        sql += "DELETE FROM usersearchmsg WHERE cityid='" + id +
               "' AND id <= (SELECT id FROM usersearchmsg WHERE cityid='" + id +
               "' ORDER BY id DESC LIMIT 1 OFFSET 50);";
    }
    sql +=
        "DELETE FROM newsdetail WHERE favorite IS NOT 1 AND id <= (SELECT id FROM newsdetail "
        "WHERE favorite IS NOT 1 ORDER BY id DESC LIMIT 1 OFFSET 100);";
    sql += "COMMIT";
    return sql;
}

// A multi-statement text that fails midway leaves its BEGIN open; later
// writes would then sit in a transaction that is never committed.
void endOpenTransaction(sqlite3* db) {
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool execute(sqlite3* db, std::string_view sql, std::string* message) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK && message) *message = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    if (rc != SQLITE_OK) endOpenTransaction(db);
    return rc == SQLITE_OK;
}

// The database holds passwords: create it owner-only, and take group and
// world access away from a copy that has them.
void makeOwnerOnly(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) != 0)
        ::fchmod(fd, st.st_mode & 0700);
    ::close(fd);
}

void moveAside(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(from, ec)) fs::rename(from, to, ec);
}

}  // namespace

sqlite3* DBConnection::getSharedDatabase() {
    auto& s = shared();
    if (s.db) return s.db;
    s.db = openDatabase(kDatabaseName);
    if (!s.db) createEditableCopyOfDatabaseIfNeeded(true);
    createTables();
    return s.db;
}

sqlite3* DBConnection::openDatabase(std::string_view fileName) {
    const std::string path = (fs::path(platform::documentsDirectory()) / fileName).string();
    makeOwnerOnly(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        platform::logLine(std::string("Failed to open database. (") + sqlite3_errmsg(db) + ")");
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

void DBConnection::createEditableCopyOfDatabaseIfNeeded(bool replace) {
    const fs::path documents = fs::path(platform::documentsDirectory()) / kDatabaseName;
    const fs::path shipped = fs::path(platform::resourceDirectory()) / kDatabaseName;
    std::error_code ec;
    if (!fs::is_regular_file(shipped, ec)) return;
    if (replace) {
        // Keep the unusable copy (and its journal, under the name SQLite
        // would give it) instead of deleting the user's data.
        const std::string aside = documents.string() + ".corrupt";
        moveAside(documents, aside);
        moveAside(documents.string() + "-journal", aside + "-journal");
        moveAside(documents.string() + "-wal", aside + "-wal");
    }
    if (fs::exists(documents, ec)) return;
    if (fs::copy_file(shipped, documents, ec))
        fs::permissions(documents, fs::perms::owner_read | fs::perms::owner_write, ec);
    else
        platform::logLine("Failed to copy the shipped database. (" + ec.message() + ")");
}

void DBConnection::createTables() {
    sqlite3* db = shared().db;
    if (!db) return;
    for (std::string_view sql : kCreateTables)
        execute(db, sql, nullptr);
    OfflineStore::migrate(db);
}

Statement DBConnection::statementWithQuery(std::string_view sql) {
    return Statement(getSharedDatabase(), sql);
}

bool DBConnection::isOpen() {
    return shared().db != nullptr;
}

void DBConnection::closeDatabase() {
    auto& s = shared();
    if (!s.db) return;
    OfflineStore::flush();
    std::string message;
    if (!execute(s.db, cleanupSql(), &message))
        platform::logLine("Error: failed to cleanup chache (" + message + ")");
    // Statements still held by callers are finalised when they go away.
    sqlite3_close_v2(s.db);
    s.db = nullptr;
}

double DBConnection::now() {
    if (const auto& clock = shared().clock) return clock();
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count() - kReferenceDateOffset;
}

void DBConnection::setClock(std::function<double()> clock) {
    shared().clock = std::move(clock);
}

}  // namespace tovera
