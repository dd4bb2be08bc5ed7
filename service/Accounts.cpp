#include "service/Accounts.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>

#include "core/Gb18030.h"
#include "platform/Md5.h"
#include "service/Schema.h"

namespace tovera::service {

namespace {

constexpr std::size_t kValueLength = 32;
// Login is cheap on purpose: the client may log in before every request.
constexpr int kHashIterations = 1000;

std::string hex(const unsigned char* bytes, std::size_t n) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 15]);
    }
    return out;
}

std::string randomHex(std::size_t bytes) {
    std::array<unsigned char, 32> buffer{};
    if (bytes > buffer.size() || RAND_bytes(buffer.data(), static_cast<int>(bytes)) != 1)
        throw DatabaseError("no random bytes available");
    return hex(buffer.data(), bytes);
}

std::string hashPassword(std::string_view password, std::string_view salt) {
    std::array<unsigned char, 32> digest{};
    PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                      reinterpret_cast<const unsigned char*>(salt.data()),
                      static_cast<int>(salt.size()), kHashIterations, EVP_sha256(),
                      static_cast<int>(digest.size()), digest.data());
    return hex(digest.data(), digest.size());
}

bool equalInConstantTime(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

bool isLowerHex(std::string_view text) {
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

}  // namespace

std::optional<Identity> identify(Database& db, std::string_view token) {
    if (token.size() <= kValueLength) return std::nullopt;
    std::string_view name = token.substr(0, token.size() - kValueLength);
    std::string_view key = token.substr(token.size() - kValueLength);
    if (!isLowerHex(key)) return std::nullopt;
    Statement statement(db, "SELECT id, pwvalue FROM user WHERE username = ?1");
    statement.bind(1, name);
    if (!statement.step() || !equalInConstantTime(statement.text(1), key)) return std::nullopt;
    return Identity{statement.integer(0), std::string(name)};
}

std::string passwordValue(std::string_view secret, std::int64_t userId, std::string_view password) {
    std::string text =
        std::string(secret) + "|" + std::to_string(userId) + "|" + std::string(password);
    return platform::md5Hex(gb18030::fromUtf8Lossy(text));
}

bool checkPassword(Database& db, std::int64_t userId, std::string_view password) {
    Statement statement(db, "SELECT salt, pwhash FROM user WHERE id = ?1");
    statement.bind(1, userId);
    if (!statement.step()) return false;
    return equalInConstantTime(hashPassword(password, statement.text(0)), statement.text(1));
}

void setPassword(Database& db, std::int64_t userId, std::string_view password) {
    std::string salt = randomHex(16);
    execute(db, "UPDATE user SET salt = ?1, pwhash = ?2, pwvalue = ?3 WHERE id = ?4", salt,
            hashPassword(password, salt), passwordValue(databaseSecret(db), userId, password),
            userId);
}

std::string databaseSecret(Database& db) {
    std::string secret = metaValue(db, "secret");
    if (secret.empty()) {
        secret = randomHex(32);
        setMetaValue(db, "secret", secret);
    }
    return secret;
}

}  // namespace tovera::service
