// Small text helpers of the service (all texts UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace tovera::service {

/// Escapes "<", ">", "&" and '"' so that user text never becomes markup.
std::string htmlEscape(std::string_view text);

/// A comment body as an HTML fragment: escaped, line breaks as "<br/>".
std::string commentHtml(std::string_view text);

/// Number of code points of valid UTF-8 text (an invalid byte counts as one).
std::size_t characterCount(std::string_view text);

/// The first `maxChars` characters of `text`, "…" appended when cut.
std::string shorten(std::string_view text, std::size_t maxChars);

/// `text` without leading and trailing blanks and line breaks (the form
/// values' name for the platform's trim).
inline std::string_view trimmed(std::string_view text) {
    return platform::trim(text);
}

}  // namespace tovera::service
