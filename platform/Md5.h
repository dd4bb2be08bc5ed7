// MD5 digests (through OpenSSL's EVP interface).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovera::platform {

std::array<std::uint8_t, 16> md5(std::string_view bytes);

/// The digest as 32 hexadecimal digits, lower or upper case.
std::string md5Hex(std::string_view bytes, bool upperCase = false);

}  // namespace tovera::platform
