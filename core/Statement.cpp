#include "core/Statement.h"

#include <sqlite3.h>

#include <climits>

#include "core/Gb18030.h"

namespace tovera {

void Statement::Finalize::operator()(sqlite3_stmt* stmt) const {
    sqlite3_finalize(stmt);
}

Statement::Statement(sqlite3* db, std::string_view query) {
    if (!db || query.size() > INT_MAX) return;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, query.data(), static_cast<int>(query.size()), &stmt, nullptr) ==
        SQLITE_OK)
        stmt_.reset(stmt);
    else
        sqlite3_finalize(stmt);
}

int Statement::step() {
    return stmt_ ? sqlite3_step(stmt_.get()) : SQLITE_MISUSE;
}

void Statement::reset() {
    if (stmt_) sqlite3_reset(stmt_.get());
}

void Statement::bindString(std::string_view value, int index) {
    if (!stmt_) return;
    const std::string bytes = gb18030::fromUtf8Lossy(value);
    sqlite3_bind_text64(stmt_.get(), index, bytes.data(), bytes.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

void Statement::bindInt32(int value, int index) {
    if (stmt_) sqlite3_bind_int(stmt_.get(), index, value);
}

void Statement::bindDouble(double value, int index) {
    if (stmt_) sqlite3_bind_double(stmt_.get(), index, value);
}

std::optional<std::string> Statement::getString(int column) const {
    if (!stmt_ || sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL) return std::nullopt;
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_.get(), column));
    const int length = sqlite3_column_bytes(stmt_.get(), column);
    return gb18030::toUtf8Lossy(
        std::string_view(bytes ? bytes : "", static_cast<std::size_t>(length)));
}

int Statement::getInt32(int column) const {
    return stmt_ ? sqlite3_column_int(stmt_.get(), column) : 0;
}

double Statement::getDouble(int column) const {
    return stmt_ ? sqlite3_column_double(stmt_.get(), column) : 0.0;
}

}  // namespace tovera
