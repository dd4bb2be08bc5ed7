#include "account/AccountSession.h"

#include "core/DSTovera.h"
#include "platform/Log.h"
#include "platform/Preferences.h"

namespace tovera {

void AccountSession::signIn(DSTovera& session, const Value& reply) {
    platform::Preferences& prefs = platform::preferences();
    const std::string username = reply.getStringValueForKey("username", "");
    const std::string password = reply.getStringValueForKey("password", "");
    prefs.setString("username", username);
    prefs.setString("password", password);
    prefs.setString("id", reply.getStringValueForKey("id", ""));
    prefs.setBool("update", true);
    const Value& id = reply["id"];
    session.setUid(id.isNull() ? std::nullopt : std::optional<std::string>(id.toText()),
                   username + password, prefs.string("cityid"));
    // A crash before the app leaves the foreground must not sign the user out.
    if (!prefs.synchronize()) platform::logLine("sign-in: preferences not written");
}

}  // namespace tovera
