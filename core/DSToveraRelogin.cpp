// The automatic re-login: the stored user name and password are posted to the
// login operation in the background while the requests issued meanwhile wait,
// announced but unsent, for the token it brings.
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "platform/Log.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

void putText(platform::Preferences& prefs, const Value& reply, std::string_view key) {
    prefs.setString(key, reply.getStringValueForKey(key, ""));
}

}  // namespace

void DSTovera::relogin() {
    needRelogin_ = false;
    auto& prefs = platform::preferences();
    prefs.remove(PrefKey::kRelogin);

    // Without a user name or a stored password no form can be built: the
    // request goes out without a token and the service's answer decides.
    const std::optional<std::string> username = prefs.string(PrefKey::kUsername);
    const std::optional<std::string> password =
        username ? getPassword(*username) : std::optional<std::string>();
    if (!username || username->empty() || !password) return;

    reloginRequest_ = QXRequest::getRequestWithParams(
        Dict{{"username", *username}, {"password", *password}}, "POST", 0, &reloginListener_,
        toveraHttpRequestDomain() + "user/login.aspx");
    reloginRequest_->connect();
}

bool DSTovera::ReloginListener::requestDidLoadRawResponse(QXRequest* request,
                                                          std::string_view bytes) {
    // The envelope is not checked: whatever the answer's "error_code", only
    // its "password" value decides, and an unreadable answer counts as none.
    if (request == owner.reloginRequest_.get())
        owner.reloginAnswered(QXRequest::parseJsonData(bytes, nullptr));
    return true;
}

void DSTovera::ReloginListener::requestDidFailWithError(QXRequest* request, const Error& error) {
    if (request != owner.reloginRequest_.get()) return;
    platform::logLine("relogin failed:" + error.description);
    owner.reloginAnswered(std::nullopt);
}

void DSTovera::reloginAnswered(const std::optional<Value>& reply) {
    reloginRequest_.reset();
    if (reply && !(*reply)["password"].isNull()) {
        auto& prefs = platform::preferences();
        // The reply names its fields as the preferences do.
        for (std::string_view key :
             {PrefKey::kUsername, PrefKey::kPassword, PrefKey::kUserId, PrefKey::kCompletion})
            putText(prefs, *reply, key);
        restoreUser();
        reloginPausedUntil_.reset();
    } else {
        // An unreachable or refusing service would otherwise be asked again
        // before every request, each then waiting for the answer.
        reloginPausedUntil_ = platform::timers().now() + kReloginPause;
    }
    sendWaitingRequests();
}

void DSTovera::sendWaitingRequests() {
    std::vector<std::shared_ptr<QXRequest>> waiting = std::move(waitingForRelogin_);
    waitingForRelogin_.clear();
    for (const std::shared_ptr<QXRequest>& request : waiting) {
        if (accessToken_) request->setParam("access_token", *accessToken_);
        request->send();
    }
}

}  // namespace tovera
