#include "service/SqlFilter.h"

#include <limits>

#include "service/Reply.h"

namespace tovera::service {

SqlFilter& SqlFilter::where(std::string_view condition, std::initializer_list<Arg> args) {
    clause_ += " AND (";
    clause_ += condition;
    clause_ += ')';
    args_.insert(args_.end(), args);
    return *this;
}

SqlFilter& SqlFilter::within(std::string_view expression, const Range& range) {
    std::string text(expression);
    if (range.high == std::numeric_limits<std::int64_t>::max())
        return where(text + " >= ?", {range.low});
    return where(text + " >= ? AND " + text + " < ?", {range.low, range.high});
}

void SqlFilter::bind(Statement& statement, std::initializer_list<Arg> more) const {
    int index = 1;
    auto bindOne = [&](const Arg& arg) {
        std::visit([&](const auto& value) { statement.bind(index++, value); }, arg);
    };
    for (const Arg& arg : args_)
        bindOne(arg);
    for (const Arg& arg : more)
        bindOne(arg);
}

Array SqlFilter::rows(Database& db, std::string_view select, std::string_view tail,
                      std::initializer_list<Arg> more) const {
    Statement statement(db, std::string(select) + clause_ + std::string(tail));
    bind(statement, more);
    Array rows;
    while (statement.step())
        rows.emplace_back(statement.row());
    return rows;
}

std::int64_t SqlFilter::count(Database& db, std::string_view from) const {
    Statement statement(db, "SELECT count(*) " + std::string(from) + clause_);
    bind(statement, {});
    return statement.step() ? statement.integer(0) : 0;
}

Dict SqlFilter::page(Database& db, std::string_view columns, std::string_view from,
                     std::string_view order, std::int64_t size, std::int64_t offset) const {
    Array found = rows(db, "SELECT " + std::string(columns) + " " + std::string(from),
                       std::string(order) + " LIMIT ? OFFSET ?", {size, offset});
    return listReply(std::move(found), count(db, from));
}

}  // namespace tovera::service
