// A WHERE clause grown condition by condition, with the values its "?"
// placeholders take, for list queries whose filters are all optional.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "service/Database.h"
#include "service/RangeFilter.h"

namespace tovera::service {

class SqlFilter {
public:
    using Arg = std::variant<std::int64_t, std::string>;

    /// Adds "AND (condition)"; its "?" placeholders take `args` in order.
    SqlFilter& where(std::string_view condition, std::initializer_list<Arg> args = {});
    /// Adds "expression >= low AND expression < high" (no upper test when open).
    SqlFilter& within(std::string_view expression, const Range& range);

    /// `select` (with its FROM part), the conditions, then `tail` (order and
    /// limits, whose "?" take `more`): every row as a dictionary of texts.
    Array rows(Database& db, std::string_view select, std::string_view tail,
               std::initializer_list<Arg> more = {}) const;
    /// SELECT count(*) `from` with the conditions.
    std::int64_t count(Database& db, std::string_view from) const;
    /// One page of a list reply ({"result", "total"}): SELECT `columns` `from`
    /// with the conditions, in `order`, `size` rows from `offset`.
    Dict page(Database& db, std::string_view columns, std::string_view from, std::string_view order,
              std::int64_t size, std::int64_t offset) const;

private:
    void bind(Statement& statement, std::initializer_list<Arg> more) const;

    std::string clause_ = " WHERE 1";
    std::vector<Arg> args_;
};

}  // namespace tovera::service
