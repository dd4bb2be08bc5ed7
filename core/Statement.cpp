#include "core/Statement.h"

#include <sqlite3.h>

#include <climits>

#include "core/Gb18030.h"

namespace tovera {

void Statement::Finalize::operator()(sqlite3_stmt* stmt) const {
    sqlite3_finalize(stmt);
}

Statement::Statement(sqlite3* db, std::string_view query, TextEncoding encoding)
    : encoding_(encoding) {
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

void Statement::clearBindings() {
    if (stmt_) sqlite3_clear_bindings(stmt_.get());
}

int Statement::bindString(std::string_view value, int index) {
    if (!stmt_) return SQLITE_MISUSE;
    std::string converted;
    if (encoding_ == TextEncoding::kGb18030) {
        converted = gb18030::fromUtf8Lossy(value);
        value = converted;
    }
    return sqlite3_bind_text64(stmt_.get(), index, value.data(), value.size(), SQLITE_TRANSIENT,
                               SQLITE_UTF8);
}

int Statement::bindInt32(int value, int index) {
    return stmt_ ? sqlite3_bind_int(stmt_.get(), index, value) : SQLITE_MISUSE;
}

int Statement::bindInt64(std::int64_t value, int index) {
    return stmt_ ? sqlite3_bind_int64(stmt_.get(), index, value) : SQLITE_MISUSE;
}

int Statement::bindDouble(double value, int index) {
    return stmt_ ? sqlite3_bind_double(stmt_.get(), index, value) : SQLITE_MISUSE;
}

std::optional<std::string> Statement::getString(int column) const {
    if (!stmt_ || sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL) return std::nullopt;
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_.get(), column));
    const int length = sqlite3_column_bytes(stmt_.get(), column);
    const std::string_view stored(bytes ? bytes : "", static_cast<std::size_t>(length));
    if (encoding_ == TextEncoding::kGb18030) return gb18030::toUtf8Lossy(stored);
    return std::string(stored);
}

int Statement::getInt32(int column) const {
    return stmt_ ? sqlite3_column_int(stmt_.get(), column) : 0;
}

std::int64_t Statement::getInt64(int column) const {
    return stmt_ ? sqlite3_column_int64(stmt_.get(), column) : 0;
}

double Statement::getDouble(int column) const {
    return stmt_ ? sqlite3_column_double(stmt_.get(), column) : 0.0;
}

bool Statement::isNull(int column) const {
    return !stmt_ || sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL;
}

int Statement::columnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_.get()) : 0;
}

std::string Statement::columnName(int column) const {
    const char* name = stmt_ ? sqlite3_column_name(stmt_.get(), column) : nullptr;
    return name ? name : "";
}

int Statement::parameterCount() const {
    return stmt_ ? sqlite3_bind_parameter_count(stmt_.get()) : 0;
}

}  // namespace tovera
