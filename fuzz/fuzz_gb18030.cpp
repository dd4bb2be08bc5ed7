// Feeds arbitrary bytes to the GB18030 and UTF-8 conversions and checks that
// they round-trip and that the lossy forms always give valid text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Gb18030.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t c;
        const std::size_t n = tovera::gb18030::decodeUtf8(text.substr(i), c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace gb = tovera::gb18030;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // As GB18030: decode, encode, decode again gives the same text.
    const auto text = gb::toUtf8(bytes);
    const std::string lossy = gb::toUtf8Lossy(bytes);
    check(isUtf8(lossy));
    if (text) {
        check(lossy == *text);
        const auto encoded = gb::fromUtf8(*text);
        check(encoded.has_value());
        const auto again = gb::toUtf8(*encoded);
        check(again.has_value() && *again == *text);
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char32_t c;
        const std::size_t n = gb::decodeChar(bytes.substr(i), c);
        check(n <= bytes.size() - i && (n == 0 || n == 1 || n == 2 || n == 4));
    }

    // As UTF-8: encode, decode gives the input back; the lossy form is GB18030.
    if (const auto encoded = gb::fromUtf8(bytes)) {
        const auto decoded = gb::toUtf8(*encoded);
        check(decoded.has_value() && *decoded == bytes);
    }
    check(gb::toUtf8(gb::fromUtf8Lossy(bytes)).has_value());
    return 0;
}
