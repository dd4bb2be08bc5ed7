#include "service/RequestDecoding.h"

#include <algorithm>

#include "core/Gb18030.h"
#include "platform/Text.h"

namespace tovera::service {

using platform::startsWithIgnoringCase;
using platform::trim;

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of parameter `key` in a header value such as
// `form-data; name="pic1"; filename="pic1.png"`, or "" when absent.
std::string headerParameter(std::string_view header, std::string_view key) {
    std::size_t pos = 0;
    while (pos < header.size()) {
        std::size_t semicolon = header.find(';', pos);
        if (semicolon == std::string_view::npos) return {};
        pos = semicolon + 1;
        std::string_view rest = trim(header.substr(pos));
        if (!startsWithIgnoringCase(rest, key) || rest.size() <= key.size() ||
            rest[key.size()] != '=')
            continue;
        rest.remove_prefix(key.size() + 1);
        if (!rest.empty() && rest.front() == '"') {
            std::size_t close = rest.find('"', 1);
            return std::string(rest.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        }
        return std::string(trim(rest.substr(0, rest.find(';'))));
    }
    return {};
}

// Reads the header block of a segment into `part`.
void readPartHeaders(std::string_view headers, MultipartPart& part) {
    while (!headers.empty()) {
        std::size_t end = headers.find('\n');
        std::string_view line = trim(headers.substr(0, end));
        headers.remove_prefix(end == std::string_view::npos ? headers.size() : end + 1);
        if (startsWithIgnoringCase(line, "content-disposition:")) {
            part.name = headerParameter(line, "name");
            part.filename = headerParameter(line, "filename");
        } else if (startsWithIgnoringCase(line, "content-type:")) {
            part.contentType = std::string(trim(line.substr(13)));
        }
    }
}

// Splits one segment (the bytes between two delimiter lines) into headers and body.
void addSegment(std::string_view segment, std::vector<MultipartPart>& parts) {
    std::size_t split = segment.find("\r\n\r\n");
    std::size_t bodyStart = split == std::string_view::npos ? split : split + 4;
    if (split == std::string_view::npos) {
        split = segment.find("\n\n");
        bodyStart = split == std::string_view::npos ? split : split + 2;
    }
    if (split == std::string_view::npos) return;
    MultipartPart part;
    readPartHeaders(segment.substr(0, split), part);
    if (part.name.empty()) return;
    part.body = std::string(segment.substr(bodyStart));
    parts.push_back(std::move(part));
}

// The boundary written on the body's first line ("--B"), for a multipart
// body whose header names none.
std::string boundaryFromFirstLine(std::string_view body) {
    if (body.substr(0, 2) != "--") return {};
    std::string_view line = body.substr(2);
    return std::string(trim(line.substr(0, line.find('\n'))));
}

}  // namespace

std::string percentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int high = hexValue(text[i + 1]);
            int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string decodeText(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::kGb18030) return gb18030::toUtf8Lossy(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        std::size_t n = gb18030::decodeUtf8(bytes.substr(i), c);
        if (n == 0) {
            gb18030::appendCodePoint(out, 0xFFFD);
            ++i;
        } else {
            out.append(bytes.substr(i, n));
            i += n;
        }
    }
    return out;
}

void decodeUrlEncoded(std::string_view text, TextEncoding encoding, Dict& out) {
    while (!text.empty()) {
        std::size_t amp = text.find('&');
        std::string_view pair = text.substr(0, amp);
        text.remove_prefix(amp == std::string_view::npos ? text.size() : amp + 1);
        if (pair.empty()) continue;
        std::size_t eq = pair.find('=');
        std::string key = decodeText(percentDecode(pair.substr(0, eq)), encoding);
        std::string value = eq == std::string_view::npos
                                ? std::string()
                                : decodeText(percentDecode(pair.substr(eq + 1)), encoding);
        out.set(key, std::move(value));
    }
}

std::string multipartBoundary(std::string_view contentType) {
    return headerParameter(contentType, "boundary");
}

std::vector<MultipartPart> parseMultipart(std::string_view contentType, std::string_view body) {
    std::vector<MultipartPart> parts;
    std::string boundary = multipartBoundary(contentType);
    if (boundary.empty()) boundary = boundaryFromFirstLine(body);
    if (boundary.empty()) return parts;
    const std::string delimiter = "--" + boundary;

    // The first delimiter opens the body (a preamble before it is skipped).
    std::size_t pos =
        body.substr(0, delimiter.size()) == delimiter ? 0 : body.find("\r\n" + delimiter);
    if (pos == std::string_view::npos) return parts;
    if (pos != 0) pos += 2;
    while (pos < body.size()) {
        pos += delimiter.size();
        if (body.substr(pos, 2) == "--") break;  // closing delimiter
        // The rest of the delimiter line (transport padding, then CRLF).
        std::size_t lineEnd = body.find('\n', pos);
        if (lineEnd == std::string_view::npos) break;
        pos = lineEnd + 1;
        // A delimiter right after a delimiter line: an empty segment.
        if (body.substr(pos, delimiter.size()) == delimiter) continue;
        std::size_t next = body.find("\r\n" + delimiter, pos);
        std::string_view segment =
            body.substr(pos, next == std::string_view::npos ? next : next - pos);
        if (next == std::string_view::npos && segment.size() >= 2 &&
            segment.substr(segment.size() - 2) == "\r\n")
            segment.remove_suffix(2);
        addSegment(segment, parts);
        if (next == std::string_view::npos) break;
        pos = next + 2;
    }
    return parts;
}

bool looksLikePicture(std::string_view bytes) {
    return bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8) ||
           bytes.substr(0, 3) == "\xFF\xD8\xFF";
}

void decodeParameters(std::string_view query, std::string_view contentType, std::string_view body,
                      Dict& params, Pictures& pictures) {
    decodeUrlEncoded(query, TextEncoding::kGb18030, params);
    bool multipart = startsWithIgnoringCase(trim(contentType), "multipart/");
    if (!multipart) {
        decodeUrlEncoded(body, TextEncoding::kGb18030, params);
        return;
    }
    for (MultipartPart& part : parseMultipart(contentType, body)) {
        if (!part.filename.empty()) {
            if (looksLikePicture(part.body))
                pictures[part.name] = std::move(part.body);
            else
                pictures.erase(part.name);
        } else if (part.contentType.empty() || startsWithIgnoringCase(part.contentType, "text/")) {
            params.set(part.name, decodeText(part.body, TextEncoding::kGb18030));
        }
    }
}

}  // namespace tovera::service
