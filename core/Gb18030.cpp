#include "core/Gb18030.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tovera::gb18030 {

namespace {

// GB18030 is decoded through tables filled from glibc's iconv once per
// process: the reader decodes every string of every reply, and a table lookup
// per character is far cheaper than an iconv call per string piece.
//
// Two-byte characters: lead 0x81-0xFE, trail 0x40-0x7E or 0x80-0xFE.
// Four-byte characters: b1 0x81-0xFE, b2 0x30-0x39, b3 0x81-0xFE, b4 0x30-0x39;
// their linear index covers the rest of the BMP (first 39420 indexes) and,
// from b1 = 0x90, the supplementary planes in order.
constexpr std::size_t kTwoByteCount = 126 * 191;
constexpr std::uint32_t kFourByteBmpCount = 39420;
constexpr std::uint32_t kSupplementaryBase = (0x90 - 0x81) * 12600;
constexpr char32_t kInvalid = 0xFFFFFFFF;

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between GB18030 and UTF-32");
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts all of `in`; false when iconv refuses any of it.
    bool convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

char32_t decodeWithIconv(Iconv& cd, std::string_view bytes) {
    std::string out;
    if (!cd.convert(bytes, out) || out.size() != 4) return kInvalid;
    auto b = reinterpret_cast<const unsigned char*>(out.data());
    return static_cast<char32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24));
}

std::size_t twoByteIndex(unsigned char lead, unsigned char trail) {
    return static_cast<std::size_t>(lead - 0x81) * 191 + (trail - 0x40);
}

const std::vector<char32_t>& twoByteTable() {
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(kTwoByteCount, kInvalid);
        Iconv cd("UTF-32LE", "GB18030");
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                t[twoByteIndex(static_cast<unsigned char>(lead),
                               static_cast<unsigned char>(trail))] =
                    decodeWithIconv(cd, std::string_view(pair, 2));
            }
        }
        return t;
    }();
    return table;
}

const std::vector<char32_t>& fourByteBmpTable() {
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(kFourByteBmpCount, kInvalid);
        Iconv cd("UTF-32LE", "GB18030");
        for (std::uint32_t i = 0; i < kFourByteBmpCount; ++i) {
            const char quad[4] = {
                static_cast<char>(0x81 + i / 12600), static_cast<char>(0x30 + i / 1260 % 10),
                static_cast<char>(0x81 + i / 10 % 126), static_cast<char>(0x30 + i % 10)};
            t[i] = decodeWithIconv(cd, std::string_view(quad, 4));
        }
        return t;
    }();
    return table;
}

Iconv& encoder() {
    thread_local Iconv cd("GB18030", "UTF-8");
    return cd;
}

}  // namespace

std::size_t decodeChar(std::string_view bytes, char32_t& codePoint) {
    if (bytes.empty()) return 0;
    auto b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (b[0] < 0x80) {
        codePoint = b[0];
        return 1;
    }
    if (b[0] == 0x80 || b[0] == 0xFF || bytes.size() < 2) return 0;
    if (b[1] >= 0x40 && b[1] <= 0xFE && b[1] != 0x7F) {
        char32_t c = twoByteTable()[twoByteIndex(b[0], b[1])];
        if (c == kInvalid) return 0;
        codePoint = c;
        return 2;
    }
    if (b[1] < 0x30 || b[1] > 0x39 || bytes.size() < 4) return 0;
    if (b[2] < 0x81 || b[2] > 0xFE || b[3] < 0x30 || b[3] > 0x39) return 0;
    std::uint32_t index =
        (b[0] - 0x81u) * 12600u + (b[1] - 0x30u) * 1260u + (b[2] - 0x81u) * 10u + (b[3] - 0x30u);
    if (index < kFourByteBmpCount) {
        char32_t c = fourByteBmpTable()[index];
        if (c == kInvalid) return 0;
        codePoint = c;
        return 4;
    }
    if (index < kSupplementaryBase) return 0;
    std::uint32_t c = 0x10000 + (index - kSupplementaryBase);
    if (c > 0x10FFFF) return 0;
    codePoint = c;
    return 4;
}

void appendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool appendUtf8(std::string& out, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // ASCII runs are copied as they are.
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        out.append(bytes.data() + i, run - i);
        i = run;
        if (i == bytes.size()) break;
        char32_t c;
        std::size_t n = decodeChar(bytes.substr(i), c);
        if (n == 0) return false;
        appendCodePoint(out, c);
        i += n;
    }
    return true;
}

std::optional<std::string> toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    if (!appendUtf8(out, bytes)) return std::nullopt;
    return out;
}

std::string toUtf8Lossy(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t c;
        std::size_t n = decodeChar(bytes.substr(i), c);
        if (n == 0) {
            appendCodePoint(out, 0xFFFD);
            ++i;
        } else {
            appendCodePoint(out, c);
            i += n;
        }
    }
    return out;
}

std::size_t decodeUtf8(std::string_view text, char32_t& codePoint) {
    if (text.empty()) return 0;
    auto b = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t n;
    char32_t c;
    if (b[0] < 0x80) {
        codePoint = b[0];
        return 1;
    } else if ((b[0] & 0xE0) == 0xC0) {
        n = 2;
        c = b[0] & 0x1F;
    } else if ((b[0] & 0xF0) == 0xE0) {
        n = 3;
        c = b[0] & 0x0F;
    } else if ((b[0] & 0xF8) == 0xF0) {
        n = 4;
        c = b[0] & 0x07;
    } else {
        return 0;
    }
    if (text.size() < n) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b[k] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b[k] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    codePoint = c;
    return n;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    // Pure ASCII is its own GB18030 form.
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    if (i == text.size()) return std::string(text);
    for (std::size_t k = i; k < text.size();) {
        char32_t c;
        std::size_t n = decodeUtf8(text.substr(k), c);
        if (n == 0) return std::nullopt;
        k += n;
    }
    std::string out;
    if (!encoder().convert(text, out)) return std::nullopt;
    return out;
}

std::string fromUtf8Lossy(std::string_view text) {
    if (auto exact = fromUtf8(text)) return *exact;
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t k = 0; k < text.size();) {
        char32_t c;
        std::size_t n = decodeUtf8(text.substr(k), c);
        if (n == 0) {
            clean.push_back('?');
            ++k;
        } else {
            clean.append(text.substr(k, n));
            k += n;
        }
    }
    std::string out;
    encoder().convert(clean, out);
    return out;
}

}  // namespace tovera::gb18030
