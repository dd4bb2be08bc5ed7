// ASCII text helpers for protocol texts (header names, address schemes,
// CSV fields, form values): they fold and trim ASCII only, whatever the
// locale, and leave every other byte of UTF-8 or GB18030 text alone.
#pragma once

#include <cstddef>
#include <string_view>

namespace tovera::platform {

/// `text` without leading and trailing spaces, tabs, carriage returns and
/// line feeds.
std::string_view trim(std::string_view text);

/// Whether `a` and `b` are equal once ASCII letters are folded to one case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

/// Whether `text` begins with `prefix`, ASCII letters compared without case.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

/// The longest start of the UTF-8 `text` of at most `maxBytes` bytes that
/// does not end inside a character.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace tovera::platform
