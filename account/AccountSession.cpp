#include "account/AccountSession.h"

#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "platform/Log.h"
#include "platform/Preferences.h"

namespace tovera {

void AccountSession::signIn(DSTovera& session, const Value& reply) {
    platform::Preferences& prefs = platform::preferences();
    const std::string username = reply.getStringValueForKey("username", "");
    const std::string password = reply.getStringValueForKey("password", "");
    prefs.setString(PrefKey::kUsername, username);
    prefs.setString(PrefKey::kPassword, password);
    prefs.setString(PrefKey::kUserId, reply.getStringValueForKey("id", ""));
    prefs.setBool(PrefKey::kUpdate, true);
    session.setCityId(prefs.string(PrefKey::kCityId));
    session.restoreUser();
    // A crash before the app leaves the foreground must not sign the user out.
    if (!prefs.synchronize()) platform::logLine("sign-in: preferences not written");
}

}  // namespace tovera
