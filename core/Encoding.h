// Text helpers of the service dialogue: percent-encoding of GB18030 bytes and
// the MD5 digests used as cache keys.
#pragma once

#include <string>
#include <string_view>

namespace tovera {

/// Percent-encodes the GB18030 bytes of UTF-8 `text`: every byte that is not
/// printable ASCII, and every character of "=,!$&'()*+;@?\n\"<>#\t :/%" (and
/// U+FFFC), becomes "%" and two upper-case hexadecimal digits.
std::string URLEncodedString(std::string_view text);

/// Percent-encodes raw bytes: every byte outside printable ASCII, and every
/// byte listed in `escaped`, becomes "%" and two upper-case hex digits.
std::string percentEncode(std::string_view bytes, std::string_view escaped);

/// A field or file name as it may stand between the quotes of a multipart
/// part header: a quote, CR and LF become "%22", "%0D" and "%0A" (as web
/// forms send them), so no name can end the header or start another.
std::string multipartName(std::string_view name);

/// MD5 of the GB18030 bytes of UTF-8 `text`, as 32 lower-case hex digits.
std::string md5Hash(std::string_view text);
/// MD5 of raw bytes, as 32 lower-case hex digits.
std::string md5HashBytes(std::string_view bytes);
/// MD5 of the GB18030 bytes of UTF-8 `text`, as 32 upper-case hex digits.
std::string MD5EncodedString(std::string_view text);

}  // namespace tovera
