// The service's SQLite connection: one connection guarded by a mutex, and
// prepared statements with typed binding and reading. SQL errors are
// programming faults or a failing disk: they throw DatabaseError, which the
// router turns into an internal-error reply.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Statement.h"
#include "core/Value.h"

struct sqlite3;

namespace tovera::service {

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Database {
public:
    /// Opens (creating when needed) the database file; ":memory:" works too.
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// Runs one or more statements without results.
    void exec(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;

    /// Held by every request for its whole run: requests see and leave the
    /// state consistent without finer locking.
    std::unique_lock<std::mutex> lock() { return std::unique_lock(mutex_); }

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::mutex mutex_;
};

/// A prepared statement on the service's connection: core's statement with
/// texts kept in UTF-8, and every failure thrown as DatabaseError.
/// Parameters are numbered from 1, columns from 0.
class Statement {
public:
    Statement(Database& db, std::string_view sql);

    Statement& bind(int index, std::int64_t value) {
        return bound(statement_.bindInt64(value, index));
    }
    Statement& bind(int index, int value) { return bind(index, std::int64_t{value}); }
    Statement& bind(int index, double value) { return bound(statement_.bindDouble(value, index)); }
    Statement& bind(int index, std::string_view text) {
        return bound(statement_.bindString(text, index));
    }
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    Statement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }

    /// Advances to the next row; false when there is none (or the statement
    /// was not a query).
    bool step();
    /// Makes the statement ready to run again with no parameters bound.
    void reset();

    std::int64_t integer(int column) const { return statement_.getInt64(column); }
    double real(int column) const { return statement_.getDouble(column); }
    /// The column's text ("" for NULL; numbers as their text).
    std::string text(int column) const { return statement_.getString(column).value_or(""); }
    bool isNull(int column) const { return statement_.isNull(column); }
    int columnCount() const { return statement_.columnCount(); }
    /// The highest parameter number the statement uses.
    int parameterCount() const { return statement_.parameterCount(); }

    /// The current row as a dictionary from column names to their text.
    Dict row() const;

    /// Runs the statement to its end (for writes).
    void run();

private:
    /// Throws unless a bind's result code says it succeeded.
    Statement& bound(int resultCode);

    Database& db_;
    tovera::Statement statement_;
};

/// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool done_ = false;
};

/// Binds `args` to parameters 1, 2, ... of `statement`.
template <typename... Args>
Statement& bindAll(Statement& statement, const Args&... args) {
    int index = 1;
    (statement.bind(index++, args), ...);
    return statement;
}

/// The first column of the first row of a query such as SELECT count(*),
/// or 0 without a row.
template <typename... Args>
std::int64_t queryInteger(Database& db, std::string_view sql, const Args&... args) {
    Statement statement(db, sql);
    bindAll(statement, args...);
    return statement.step() ? statement.integer(0) : 0;
}

/// As queryInteger, for a text column ("" without a row).
template <typename... Args>
std::string queryText(Database& db, std::string_view sql, const Args&... args) {
    Statement statement(db, sql);
    bindAll(statement, args...);
    return statement.step() ? statement.text(0) : std::string();
}

/// Every row of a query as a dictionary of column texts.
template <typename... Args>
Array queryRows(Database& db, std::string_view sql, const Args&... args) {
    Statement statement(db, sql);
    bindAll(statement, args...);
    Array rows;
    while (statement.step())
        rows.emplace_back(statement.row());
    return rows;
}

/// The first row of a query, or nothing.
template <typename... Args>
std::optional<Dict> queryRow(Database& db, std::string_view sql, const Args&... args) {
    Statement statement(db, sql);
    bindAll(statement, args...);
    if (!statement.step()) return std::nullopt;
    return statement.row();
}

/// Runs a write statement with `args` bound.
template <typename... Args>
void execute(Database& db, std::string_view sql, const Args&... args) {
    Statement statement(db, sql);
    bindAll(statement, args...);
    statement.run();
}

}  // namespace tovera::service
