#include "service/RangeFilter.h"

#include <vector>

namespace tovera::service {

namespace {

std::vector<std::int64_t> numbersIn(std::string_view text) {
    std::vector<std::int64_t> numbers;
    std::int64_t current = 0;
    bool inNumber = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            current = current * 10 + (c - '0');
            if (current > 1'000'000'000) return {};  // not a band of this portal
            inNumber = true;
        } else if (inNumber) {
            numbers.push_back(current);
            current = 0;
            inNumber = false;
        }
    }
    if (inNumber) numbers.push_back(current);
    return numbers;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::optional<Range> rangeOfText(std::string_view text) {
    std::vector<std::int64_t> numbers = numbersIn(text);
    if (numbers.size() == 2 && numbers[0] < numbers[1]) return Range{numbers[0], numbers[1]};
    if (numbers.size() != 1) return std::nullopt;
    if (contains(text, "以下")) return Range{0, numbers[0]};
    if (contains(text, "以上")) return Range{numbers[0]};
    return std::nullopt;
}

std::optional<Range> rangeOfRow(std::span<const std::string_view> list, std::int64_t row) {
    if (row < 1 || static_cast<std::size_t>(row) >= list.size()) return std::nullopt;
    return rangeOfText(list[static_cast<std::size_t>(row)]);
}

std::optional<Range> roomsOfRow(std::span<const std::string_view> housetype, std::int64_t row) {
    if (row < 1 || static_cast<std::size_t>(row) >= housetype.size()) return std::nullopt;
    if (static_cast<std::size_t>(row) + 1 == housetype.size()) return Range{row};
    return Range{row, row + 1};
}

}  // namespace tovera::service
