#include "core/DSTovera.h"

#include "core/PreferenceKeys.h"
#include "platform/Alert.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

constexpr std::size_t kMessageBoxes = 4;

std::vector<std::string> storedLastUpdateTime() {
    std::vector<std::string> times =
        platform::preferences().list(PrefKey::kLastUpdateTime).value_or(std::vector<std::string>{});
    if (times.size() < kMessageBoxes) times.resize(kMessageBoxes, "0");
    return times;
}

}  // namespace

DSTovera::DSTovera(std::optional<std::string> uid, std::optional<std::string> accessToken,
                   std::optional<std::string> cityId) {
    setUid(std::move(uid), std::move(accessToken), std::move(cityId));
}

namespace {

std::optional<std::string> storedAccessToken() {
    const platform::Preferences& prefs = platform::preferences();
    const std::optional<std::string> password = prefs.string(PrefKey::kPassword);
    if (!password) return std::nullopt;
    return prefs.string(PrefKey::kUsername).value_or("") + *password;
}

}  // namespace

std::unique_ptr<DSTovera> DSTovera::fromPreferences() {
    const platform::Preferences& prefs = platform::preferences();
    return std::make_unique<DSTovera>(prefs.string(PrefKey::kUserId), storedAccessToken(),
                                      prefs.string(PrefKey::kCityId));
}

void DSTovera::restoreUser() {
    setUid(platform::preferences().string(PrefKey::kUserId), storedAccessToken(), cityId_);
}

void DSTovera::setUid(std::optional<std::string> uid, std::optional<std::string> accessToken,
                      std::optional<std::string> cityId) {
    reset();
    if (uid) userId_ = std::move(uid);
    if (accessToken) accessToken_ = std::move(accessToken);
    if (cityId) cityId_ = std::move(cityId);
    lastUpdateTime_ = storedLastUpdateTime();
    // The session was just set on purpose (a login, a logout): the answer of
    // a re-login still in flight must not replace it.
    if (reloginRequest_) {
        reloginRequest_.reset();
        sendWaitingRequests();
    }
}

void DSTovera::reset() {
    if (lastUpdateTime_ && lastUpdateTime_->size() == kMessageBoxes)
        platform::preferences().setList(PrefKey::kLastUpdateTime, *lastUpdateTime_);
    userId_.reset();
    accessToken_.reset();
    cityId_.reset();
    number_ = "0,0,0,0";
}

std::vector<std::string>& DSTovera::lastUpdateTime() {
    if (!lastUpdateTime_) lastUpdateTime_ = storedLastUpdateTime();
    if (lastUpdateTime_->size() < kMessageBoxes) lastUpdateTime_->resize(kMessageBoxes, "0");
    return *lastUpdateTime_;
}

bool DSTovera::checkLogin() {
    if (isUserLoggedin()) return true;
    platform::Alert alert{"提示", "您还没有登录，请登录!", {"登录", "取消"}};
    alert.onButton = [handler = loginPromptHandler_](int index) {
        if (handler) handler(index);
    };
    platform::showAlert(std::move(alert));
    return false;
}

bool DSTovera::isMe(std::optional<std::string_view> uid) const {
    return uid && isUserLoggedin() && *uid == *userId_;
}

}  // namespace tovera
