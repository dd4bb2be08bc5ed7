#include "platform/Md5.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace tovera::platform {

std::array<std::uint8_t, 16> md5(std::string_view bytes) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    std::array<std::uint8_t, 16> digest{};
    unsigned int length = 0;
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1 ||
        EVP_DigestUpdate(ctx.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(ctx.get(), digest.data(), &length) != 1 || length != digest.size())
        throw std::runtime_error("MD5 digest unavailable");
    return digest;
}

std::string md5Hex(std::string_view bytes, bool upperCase) {
    static constexpr char kLower[] = "0123456789abcdef";
    static constexpr char kUpper[] = "0123456789ABCDEF";
    const char* digits = upperCase ? kUpper : kLower;
    std::string out;
    out.reserve(32);
    for (std::uint8_t b : md5(bytes)) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0x0F]);
    }
    return out;
}

}  // namespace tovera::platform
