// What a successful login or registration leaves behind: the reply's user
// name, password value and user id in the preferences, the home menu marked
// for rebuilding, and the session signed in with the chosen city.
#pragma once

#include "core/Value.h"

namespace tovera {

class DSTovera;

class AccountSession {
public:
    /// Stores "username", "password" and "id" of `reply` (each "" when
    /// missing), sets "update", and signs `session` in: the reply's id, the
    /// user name followed by the password value as the token, and the
    /// preference "cityid" as the city.
    static void signIn(DSTovera& session, const Value& reply);
};

}  // namespace tovera
