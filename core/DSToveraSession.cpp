#include "core/DSTovera.h"

#include "platform/Alert.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

constexpr std::size_t kMessageBoxes = 4;

std::vector<std::string> storedLastUpdateTime() {
    std::vector<std::string> times =
        platform::preferences().list("lastupdatetime").value_or(std::vector<std::string>{});
    if (times.size() < kMessageBoxes) times.resize(kMessageBoxes, "0");
    return times;
}

}  // namespace

DSTovera::DSTovera(std::optional<std::string> uid, std::optional<std::string> accessToken,
                   std::optional<std::string> cityId) {
    setUid(std::move(uid), std::move(accessToken), std::move(cityId));
}

void DSTovera::setUid(std::optional<std::string> uid, std::optional<std::string> accessToken,
                      std::optional<std::string> cityId) {
    reset();
    if (uid) userId_ = std::move(uid);
    if (accessToken) accessToken_ = std::move(accessToken);
    if (cityId) cityId_ = std::move(cityId);
    lastUpdateTime_ = storedLastUpdateTime();
}

void DSTovera::reset() {
    if (lastUpdateTime_ && lastUpdateTime_->size() == kMessageBoxes)
        platform::preferences().setList("lastupdatetime", *lastUpdateTime_);
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
