// Accounts: password checks and the access token. The token is the user name
// followed by the user's password value, 32 lower-case hex digits (the MD5 of
// "<database secret>|<user id>|<password>"), so name and value always split
// unambiguously and the token changes with the password.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "service/Database.h"

namespace tovera::service {

struct Identity {
    std::int64_t id = 0;
    std::string name;
};

/// The user an "access_token" names, when its key is that user's current value.
std::optional<Identity> identify(Database& db, std::string_view token);

/// The password value of a user (the token suffix).
std::string passwordValue(std::string_view secret, std::int64_t userId, std::string_view password);

/// Whether `password` is the user's password.
bool checkPassword(Database& db, std::int64_t userId, std::string_view password);

/// Stores a new password: salted hash and password value (old tokens stop working).
void setPassword(Database& db, std::int64_t userId, std::string_view password);

/// The random secret of this database, created on first use.
std::string databaseSecret(Database& db);

}  // namespace tovera::service
