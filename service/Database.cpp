#include "service/Database.h"

#include <sqlite3.h>

namespace tovera::service {

namespace {

[[noreturn]] void fail(sqlite3* db, std::string_view what) {
    throw DatabaseError(std::string(what) + ": " + sqlite3_errmsg(db));
}

}  // namespace

Database::Database(const std::string& path) {
    int rc = sqlite3_open_v2(path.c_str(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF;");
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::exec(std::string_view sql) {
    std::string text(sql);
    char* message = nullptr;
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string error = message ? message : "unknown error";
        sqlite3_free(message);
        throw DatabaseError("exec failed: " + error);
    }
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

Statement::Statement(Database& db, std::string_view sql)
    : db_(db), statement_(db.handle(), sql, tovera::Statement::TextEncoding::kUtf8) {
    if (!statement_.isPrepared())
        fail(db.handle(), "prepare failed for \"" + std::string(sql) + "\"");
}

Statement& Statement::bound(int resultCode) {
    if (resultCode != SQLITE_OK) fail(db_.handle(), "bind failed");
    return *this;
}

bool Statement::step() {
    int rc = statement_.step();
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_.handle(), "step failed");
}

void Statement::reset() {
    statement_.reset();
    statement_.clearBindings();
}

Dict Statement::row() const {
    Dict out;
    int n = columnCount();
    for (int i = 0; i < n; ++i)
        out.set(statement_.columnName(i), text(i));
    return out;
}

void Statement::run() {
    while (step()) {
    }
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            db_.exec("ROLLBACK");
        } catch (const DatabaseError&) {
            // Nothing more can be done: the connection reports the failure on
            // its next use.
        }
    }
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace tovera::service
