// A prepared SQLite statement, owned: finalised when the wrapper goes away.
// Texts cross it in UTF-8; the client's store keeps them as GB18030, the
// demo service's database as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tovera {

class Statement {
public:
    /// How texts are stored in the database.
    enum class TextEncoding { kGb18030, kUtf8 };

    /// Prepares `query` (its whole length) on `db`. When that fails (or `db`
    /// is null) the statement holds no handle: step() reports an error and
    /// the getters read nothing.
    Statement(sqlite3* db, std::string_view query, TextEncoding encoding = TextEncoding::kGb18030);

    bool isPrepared() const { return stmt_ != nullptr; }

    /// SQLite's result code: 100 (SQLITE_ROW) when a row is ready, 101
    /// (SQLITE_DONE) when finished, an error code otherwise.
    int step();
    /// Makes the statement ready to run again; the bindings stay.
    void reset();
    /// Sets every parameter back to NULL.
    void clearBindings();

    /// Indexes from 1. Each returns SQLite's result code (0 when bound).
    /// The text is bound in the store's encoding (copied).
    int bindString(std::string_view value, int index);
    int bindInt32(int value, int index);
    int bindInt64(std::int64_t value, int index);
    int bindDouble(double value, int index);

    /// Column indexes from 0. A text column is decoded from the store's
    /// encoding (numbers read as their text); nothing for NULL.
    std::optional<std::string> getString(int column) const;
    int getInt32(int column) const;
    std::int64_t getInt64(int column) const;
    double getDouble(int column) const;
    bool isNull(int column) const;

    int columnCount() const;
    /// The column's name as the query gives it ("AS" or the expression).
    std::string columnName(int column) const;
    /// The highest parameter number the statement uses.
    int parameterCount() const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt* stmt) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
    TextEncoding encoding_;
};

}  // namespace tovera
