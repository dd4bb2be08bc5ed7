#include "core/ReadableText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "platform/Text.h"

namespace tovera {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 20> kNamedEntities = {{
    {"amp", "&"},        {"lt", "<"},         {"gt", ">"},          {"quot", "\""},
    {"apos", "'"},       {"nbsp", " "},       {"ensp", " "},        {"emsp", " "},
    {"ldquo", "\u201C"}, {"rdquo", "\u201D"}, {"lsquo", "\u2018"},  {"rsquo", "\u2019"},
    {"mdash", "\u2014"}, {"ndash", "\u2013"}, {"hellip", "\u2026"}, {"middot", "\u00B7"},
    {"copy", "\u00A9"},  {"reg", "\u00AE"},   {"times", "\u00D7"},  {"yen", "\u00A5"},
}};

// Tags after which the text reads as a new line or cell.
constexpr std::array<std::string_view, 14> kBlockTags = {
    "br", "p", "div", "li", "tr", "td", "th", "table", "h1", "h2", "h3", "h4", "ul", "ol"};

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

void appendUtf8(std::uint32_t code, std::string& out) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the entity at `text[at]` ('&') into `out`; returns the length
// read, or 0 when it is no entity (the '&' is then text).
std::size_t entity(std::string_view text, std::size_t at, std::string& out) {
    const std::size_t end = text.find(';', at + 1);
    // Named entities are short; a numeric one may carry leading zeros.
    if (end == std::string_view::npos || end - at > 32) return 0;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) return 0;
        std::uint32_t code = 0;
        for (char c : digits) {
            int digit = -1;
            if (isDigit(c))
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0) return 0;
            // Past the last character the code stays out of range.
            code = std::min<std::uint32_t>(
                code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
        }
        appendUtf8(code, out);
        return end - at + 1;
    }
    for (const auto& [known, replacement] : kNamedEntities) {
        if (name == known) {
            out += replacement;
            return end - at + 1;
        }
    }
    return 0;
}

// The length of the emoticon code at `text[at]` ('['), or 0.
std::size_t faceCode(std::string_view text, std::size_t at) {
    if (text.substr(at, 5) != "[Face") return 0;
    std::size_t i = at + 5;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i > at + 5 && i < text.size() && text[i] == ']' ? i - at + 1 : 0;
}

// The tag at `text[at]` ('<'): its length (0 when it is no tag), whether it
// separates like a block, and the end of what a script or style holds.
std::size_t tag(std::string_view text, std::size_t at, bool& block) {
    const std::size_t next = at + 1;
    if (next >= text.size()) return 0;
    const char c = text[next];
    if (!isAsciiLetter(c) && c != '/' && c != '!' && c != '?') return 0;
    std::size_t end = text.find('>', next);
    // Named entities are short; a numeric one may carry leading zeros.
    if (end == std::string_view::npos) return 0;
    std::size_t nameStart = c == '/' ? next + 1 : next;
    std::size_t nameEnd = nameStart;
    while (nameEnd < end && (isAsciiLetter(text[nameEnd]) || isDigit(text[nameEnd])))
        ++nameEnd;
    const std::string_view name = text.substr(nameStart, nameEnd - nameStart);
    block = std::any_of(kBlockTags.begin(), kBlockTags.end(), [&](std::string_view known) {
        return platform::equalsIgnoringCase(name, known);
    });
    if (c != '/' && (platform::equalsIgnoringCase(name, "script") ||
                     platform::equalsIgnoringCase(name, "style"))) {
        // What it holds goes with it, up to its closing tag (or the end).
        std::size_t close = text.find("</", end);
        while (close != std::string_view::npos &&
               !platform::startsWithIgnoringCase(text.substr(close + 2), name))
            close = text.find("</", close + 2);
        if (close == std::string_view::npos) return text.size() - at;
        const std::size_t closeEnd = text.find('>', close);
        end = closeEnd == std::string_view::npos ? text.size() - 1 : closeEnd;
        block = true;
    }
    return end - at + 1;
}

}  // namespace

std::string readableText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    bool pendingSpace = false;
    auto space = [&] { pendingSpace = !out.empty(); };
    auto put = [&](std::string_view text) {
        for (char c : text) {
            if (isSpace(c)) {
                space();
                continue;
            }
            if (pendingSpace) out += ' ';
            pendingSpace = false;
            out += c;
        }
    };
    for (std::size_t at = 0; at < stored.size();) {
        const char c = stored[at];
        if (c == '<') {
            bool block = false;
            if (const std::size_t length = tag(stored, at, block)) {
                if (block) space();
                at += length;
                continue;
            }
        } else if (c == '&') {
            std::string decoded;
            if (const std::size_t length = entity(stored, at, decoded)) {
                put(decoded);
                at += length;
                continue;
            }
        } else if (c == '[') {
            if (const std::size_t length = faceCode(stored, at)) {
                at += length;
                continue;
            }
        }
        put(std::string_view(&stored[at], 1));
        ++at;
    }
    return out;
}

}  // namespace tovera
