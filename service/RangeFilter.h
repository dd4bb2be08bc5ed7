// The numeric range a filter row of the configuration lists stands for. The
// rows are texts ("8000-10000元", "50万以下", "144平米以上"); their numbers are
// the bounds, so the service reads exactly the bands the client shows.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

namespace tovera::service {

/// Lower bound included, upper bound excluded.
struct Range {
    std::int64_t low = 0;
    std::int64_t high = std::numeric_limits<std::int64_t>::max();
};

/// The range of a row text: "a-b" → [a, b); "a…以下" → [0, a); "a…以上" → [a, ∞).
/// Nothing for a text without numbers ("不限").
std::optional<Range> rangeOfText(std::string_view text);

/// The range of row `row` of `list`; nothing for row 0 ("不限"), a row out
/// of range or a row without numbers: no filter.
std::optional<Range> rangeOfRow(std::span<const std::string_view> list, std::int64_t row);

/// The rooms a "housetype" row stands for: row n → n rooms, the last row
/// ("五室及以上") → n rooms and more; nothing for row 0 or out of range.
std::optional<Range> roomsOfRow(std::span<const std::string_view> housetype, std::int64_t row);

}  // namespace tovera::service
