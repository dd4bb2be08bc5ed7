// GB18030 conversion at the edges of the program: the service dialogue and
// the database. Inside the program every text is UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovera::gb18030 {

/// Decodes one GB18030 character at the start of `bytes` (at least one byte).
/// Returns its length (1, 2 or 4) and stores the code point, or returns 0 when
/// the bytes do not start with a valid (or complete) character.
std::size_t decodeChar(std::string_view bytes, char32_t& codePoint);

/// Appends the UTF-8 form of GB18030 `bytes` to `out`. Returns false, with
/// `out` holding what was decoded before it, at the first invalid sequence.
bool appendUtf8(std::string& out, std::string_view bytes);

/// The UTF-8 form of GB18030 `bytes`, or nothing when they are not valid GB18030.
std::optional<std::string> toUtf8(std::string_view bytes);

/// As toUtf8, with every invalid sequence replaced by U+FFFD.
std::string toUtf8Lossy(std::string_view bytes);

/// The GB18030 bytes of UTF-8 `text`, or nothing when the text is not valid UTF-8.
std::optional<std::string> fromUtf8(std::string_view text);

/// As fromUtf8, with every invalid UTF-8 sequence replaced by "?".
std::string fromUtf8Lossy(std::string_view text);

/// Appends the UTF-8 form of a code point (which must be a Unicode scalar value).
void appendCodePoint(std::string& out, char32_t codePoint);

/// Length of the UTF-8 sequence at the start of `text` with its code point,
/// or 0 when it is not a valid UTF-8 sequence.
std::size_t decodeUtf8(std::string_view text, char32_t& codePoint);

}  // namespace tovera::gb18030
