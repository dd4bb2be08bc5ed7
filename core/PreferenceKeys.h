// The keys of the user preferences, named once: several screens and the
// session read and write each of them.
#pragma once

#include <string_view>

namespace tovera {

struct PrefKey {
    /// The signed-in user's id.
    static constexpr std::string_view kUserId = "id";
    /// The signed-in account's user name.
    static constexpr std::string_view kUsername = "username";
    /// The password value the login reply gave (not what the user typed).
    static constexpr std::string_view kPassword = "password";
    /// Profile completion, whole percent as text.
    static constexpr std::string_view kCompletion = "completion";
    /// Sign in automatically (bool).
    static constexpr std::string_view kAutologin = "autologin";
    /// Remember the password on the login screen (bool).
    static constexpr std::string_view kRemember = "remember";
    /// A re-login is due after a password change (bool).
    static constexpr std::string_view kRelogin = "relogin";
    /// The home menu must be rebuilt (bool).
    static constexpr std::string_view kUpdate = "update";
    /// The chosen city's id and name, and its position "latitude,longitude".
    static constexpr std::string_view kCityId = "cityid";
    static constexpr std::string_view kCity = "city";
    static constexpr std::string_view kGeo = "geo";
    /// The chosen skin's name.
    static constexpr std::string_view kSkin = "skin";
    /// The file name of the downloaded splash picture.
    static constexpr std::string_view kSplash = "splash";
    /// Four texts: the last-seen times of the four unread counters.
    static constexpr std::string_view kLastUpdateTime = "lastupdatetime";
    /// The live room's chosen refresh interval.
    static constexpr std::string_view kRefreshTime = "refreshtime";
    /// The bounds of the decoded pictures kept in memory: how many, and how
    /// many bytes of pixels (positive whole numbers as text).
    static constexpr std::string_view kPictureCacheCount = "picturecachecount";
    static constexpr std::string_view kPictureCacheBytes = "picturecachebytes";
    /// The window's scale, device pixels per point, as text.
    static constexpr std::string_view kScale = "scale";
    /// The pull-to-refresh header's last time text.
    static constexpr std::string_view kLastRefresh = "RefreshTableView_LastRefresh";
};

}  // namespace tovera
