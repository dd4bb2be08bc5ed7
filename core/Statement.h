// A prepared SQLite statement, owned: finalised when the wrapper goes away.
// Texts cross it in UTF-8 and are stored in the database as GB18030.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tovera {

class Statement {
public:
    /// Prepares `query` (its whole length) on `db`. When that fails (or `db`
    /// is null) the statement holds no handle: step() reports an error and
    /// the getters read nothing.
    Statement(sqlite3* db, std::string_view query);

    bool isPrepared() const { return stmt_ != nullptr; }

    /// SQLite's result code: 100 (SQLITE_ROW) when a row is ready, 101
    /// (SQLITE_DONE) when finished, an error code otherwise.
    int step();
    void reset();

    /// Indexes from 1. The text is bound as its GB18030 bytes (copied).
    void bindString(std::string_view value, int index);
    void bindInt32(int value, int index);
    void bindDouble(double value, int index);

    /// Column indexes from 0. A text column is decoded from GB18030;
    /// nothing for NULL.
    std::optional<std::string> getString(int column) const;
    int getInt32(int column) const;
    double getDouble(int column) const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt* stmt) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
};

}  // namespace tovera
