#include "service/Text.h"

#include "core/Gb18030.h"

namespace tovera::service {

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string commentHtml(std::string_view text) {
    std::string escaped = htmlEscape(text);
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\r') {
            if (i + 1 < escaped.size() && escaped[i + 1] == '\n') ++i;
            out += "<br/>";
        } else if (escaped[i] == '\n') {
            out += "<br/>";
        } else {
            out.push_back(escaped[i]);
        }
    }
    return out;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        char32_t c;
        std::size_t n = gb18030::decodeUtf8(text.substr(i), c);
        i += n == 0 ? 1 : n;
    }
    return count;
}

std::string shorten(std::string_view text, std::size_t maxChars) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < maxChars; ++count) {
        char32_t c;
        std::size_t n = gb18030::decodeUtf8(text.substr(i), c);
        i += n == 0 ? 1 : n;
    }
    if (i >= text.size()) return std::string(text);
    return std::string(text.substr(0, i)) + "…";
}

}  // namespace tovera::service
