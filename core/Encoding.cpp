#include "core/Encoding.h"

#include "core/Gb18030.h"
#include "platform/Md5.h"

namespace tovera {

namespace {

// "%" is escaped too, so that a value holding it reaches the service intact.
constexpr std::string_view kEscaped = "=,!$&'()*+;@?\n\"<>#\t :/%";

}  // namespace

std::string percentEncode(std::string_view bytes, std::string_view escaped) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x21 || b > 0x7E || escaped.find(ch) != std::string_view::npos) {
            out.push_back('%');
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

// U+FFFC has no single-byte form: its GB18030 bytes are all above 0x7E and so
// escaped with every other non-ASCII byte.
std::string URLEncodedString(std::string_view text) {
    return percentEncode(gb18030::fromUtf8Lossy(text), kEscaped);
}

std::string md5Hash(std::string_view text) {
    return platform::md5Hex(gb18030::fromUtf8Lossy(text));
}

std::string md5HashBytes(std::string_view bytes) {
    return platform::md5Hex(bytes);
}

std::string MD5EncodedString(std::string_view text) {
    return platform::md5Hex(gb18030::fromUtf8Lossy(text), true);
}

std::string multipartName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == '"')
            out += "%22";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

}  // namespace tovera
