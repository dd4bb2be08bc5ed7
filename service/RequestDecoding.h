// Decoding of request parameters: URL-encoded text (queries and form bodies)
// and multipart bodies. Every decoder accepts any bytes and never fails: what
// cannot be read is left out or replaced by U+FFFD.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

namespace tovera::service {

/// The text encoding of the values of one request.
enum class TextEncoding { kGb18030, kUtf8 };

/// "%XX" (two hex digits, either case) becomes that byte; a "%" not followed
/// by two hex digits stays as it is; "+" stays a plus sign.
std::string percentDecode(std::string_view text);

/// Converts request bytes to UTF-8; invalid sequences become U+FFFD.
std::string decodeText(std::string_view bytes, TextEncoding encoding);

/// Adds the "key=value" pairs of a query or URL-encoded body to `out`. Pairs
/// are split at "&" and then at the first "="; a key without "=" gets "";
/// a repeated key: the last wins.
void decodeUrlEncoded(std::string_view text, TextEncoding encoding, Dict& out);

/// One segment of a multipart body.
struct MultipartPart {
    std::string name;
    std::string filename;
    std::string contentType;
    std::string body;
};

/// The boundary parameter of a multipart Content-Type (quotes removed), or "".
std::string multipartBoundary(std::string_view contentType);

/// The named segments of a multipart body, in order. The boundary comes from
/// `contentType`, or else from the body's first line. The closing delimiter
/// may be missing, the body may end right after a separator or inside the
/// last segment, and empty segments are skipped.
std::vector<MultipartPart> parseMultipart(std::string_view contentType, std::string_view body);

/// Pictures of a request by part name ("pic1", "photo", ...): PNG or JPEG bytes.
using Pictures = std::map<std::string, std::string>;

/// True when `bytes` start as a PNG or a JPEG file.
bool looksLikePicture(std::string_view bytes);

/// Decodes a whole request's parameters: the query, then the body (which wins
/// on a clash). A multipart body gives text parts as values (raw GB18030,
/// never percent-decoded) and picture parts as pictures; any other body is
/// read as a URL-encoded form, whatever its Content-Type says.
void decodeParameters(std::string_view query, std::string_view contentType, std::string_view body,
                      Dict& params, Pictures& pictures);

}  // namespace tovera::service
