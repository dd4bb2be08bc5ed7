// The one door to the web service and the holder of the signed-in session.
// The class-level operations over the local store come first; the session
// and the service operations follow.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/QXRequest.h"
#include "core/Value.h"
#include "platform/Timers.h"

namespace tovera {

class DSTovera {
public:
    // Local store (class-level; no session needed).

    /// Whether a request for `url` (the GET address built from parameters
    /// without "access_token") must go to the network: true when no fetch of
    /// it is recorded or the recorded one is more than 50 seconds old.
    static bool searchUrlCaches(std::string_view url);
    /// Records a fetch of `url` now. Returns whether it was written.
    static bool updateUrlCaches(std::string_view url);
    /// Keeps an article read by the user. A "favorite" of 0 or more is
    /// stored; a negative or null one keeps the stored mark. An empty
    /// dictionary is ignored. Returns whether the article was written.
    static bool newsDetailCaches(const Dict& article);
    /// The favourite mark of a kept article; 0 for an id of 0 or below or an
    /// article not kept.
    static int isfavorite(int newsId);
    /// Sets the favourite mark of a kept article. Returns true when it
    /// FAILED: an id of 0 or below, no article of that id, or a failed write.
    static bool favorite(int mark, int newsId);
    /// Every kept article marked as favourite ("id", "title", "summary",
    /// "update_at", "images", "favorite" = "1"), in table order. Also handed
    /// to `delegate`'s requestDidLoad with no request when one is given.
    static Array getFavorite(QXRequestDelegate* delegate = nullptr);
    /// Replaces the kept news categories with `categories` (a list of
    /// dictionaries with "cid", "catname", "subscribed"), all or nothing.
    /// An empty list (or anything but a list) is ignored. Returns whether the
    /// list was written.
    static bool newsSortCaches(const Value& categories);
    /// The password kept for `username` (in the account table, else the one
    /// kept for this run by keepPassword()); nothing for an empty or missing
    /// name.
    static std::optional<std::string> getPassword(std::optional<std::string_view> username);
    /// Keeps `password` for `username`, replacing an earlier one. False when
    /// either is missing or the write failed.
    static bool setPassword(std::optional<std::string_view> password,
                            std::optional<std::string_view> username);
    /// The password the user typed for `username`: kept for this run (so a
    /// re-login still works), and in the account table only when `store`
    /// (the user asked to remember it or to sign in automatically); without
    /// `store` a stored one is removed. False when the table could not be
    /// changed.
    static bool keepPassword(std::string_view password, std::string_view username, bool store);
    /// Forgets the password kept for this run (on logout).
    static void forgetTypedPassword();
    /// Where a downloaded file of that name lives: `<home>/Documents/<name>`.
    /// A name that is not a safe file name (a "/", "..", empty, too long)
    /// gives an empty path, which no file operation accepts.
    static std::string filePath(std::string_view fileName);
    /// The kept article of that id as the article screen reads it ("id",
    /// "title", "text", "source", "update_at", "comment", "images",
    /// "favorite", "summary"; id and favorite as decimal text), if any.
    static std::optional<Dict> newsDetailCachesForId(int newsId);

    // ---- Session -----------------------------------------------------------

    /// Creates the session with `setUid(uid, accessToken, cityId)`.
    DSTovera(std::optional<std::string> uid, std::optional<std::string> accessToken,
             std::optional<std::string> cityId);
    DSTovera(const DSTovera&) = delete;
    DSTovera& operator=(const DSTovera&) = delete;
    /// The session of the user and city the preferences keep (see restoreUser()).
    static std::unique_ptr<DSTovera> fromPreferences();
    /// Takes the signed-in user the preferences keep, keeping the city: the
    /// user id "id", and the access token, which is the user name followed
    /// by the password value of the login reply (no token when no password
    /// value is stored). The one place the token is made.
    void restoreUser();

    /// `reset`, then stores each present argument; reloads `lastUpdateTime`
    /// from the preference "lastupdatetime", padded with "0" to four entries.
    /// An automatic re-login still in flight is abandoned (its answer is
    /// ignored) and the requests waiting for it go out with the new token.
    void setUid(std::optional<std::string> uid, std::optional<std::string> accessToken,
                std::optional<std::string> cityId);
    /// Saves `lastUpdateTime` when it holds four entries, then clears the
    /// user, token and city and sets `number` to "0,0,0,0".
    void reset();
    /// Signed in: a user id and a token are held (empty texts count).
    bool isUserLoggedin() const { return userId_ && accessToken_; }
    /// True when signed in; otherwise shows the login prompt and returns false.
    bool checkLogin();
    /// True when signed in as the user `uid`.
    bool isMe(std::optional<std::string_view> uid) const;

    bool needRelogin() const { return needRelogin_; }
    void setNeedRelogin(bool on) { needRelogin_ = on; }
    /// The four unread counters, "0,0,0,0" when unset.
    const std::string& number() const { return number_; }
    void setNumber(const Value& number) { number_ = number.toText(); }
    /// Last-seen times of the four message boxes ("0" = never).
    std::vector<std::string>& lastUpdateTime();
    const std::optional<std::string>& userId() const { return userId_; }
    const std::optional<std::string>& accessToken() const { return accessToken_; }
    const std::optional<std::string>& cityId() const { return cityId_; }
    void setCityId(std::optional<std::string> cityId) { cityId_ = std::move(cityId); }
    /// The request issued last through this session.
    const std::shared_ptr<QXRequest>& request() const { return request_; }

    /// Told the index of the button chosen in the login prompt ("登录" is 0,
    /// "取消" 1); the home screen installs it.
    void setLoginPromptHandler(std::function<void(int)> handler) {
        loginPromptHandler_ = std::move(handler);
    }

    // ---- Routes ------------------------------------------------------------

    /// The service base: "http://" + service host + "/api/phone/".
    static std::string toveraHttpRequestDomain();
    /// Page size that list operations put into "size" (or "count").
    static constexpr std::string_view pagesize = "10";

    /// How long requests go out without trying the automatic re-login again
    /// after one failed (on the clock of platform::timers()).
    static constexpr std::chrono::seconds kReloginPause{60};
    /// Issues an instance request: the session's token and city go into a
    /// copy of `params`. When an automatic re-login is due it is started
    /// without waiting for it: the request is returned (and its delegate told
    /// requestLoading) at once but sent only when the re-login has settled,
    /// with the token it brought, or without one when it failed. After a
    /// failed automatic re-login none is tried for `kReloginPause`.
    std::shared_ptr<QXRequest> requestWithMethodName(std::string_view path, const Dict& params,
                                                     std::string_view httpMethod,
                                                     QXRequestDelegate* delegate);
    /// The upload route: refuses a signed-out caller (code 101 / "203") unless
    /// "api" is "postcomment"; writes the token, "uid" (unless given) and
    /// "cityid" (unless a city is given) into `params`.
    std::shared_ptr<QXRequest> postRequestWithMethodName(std::string_view path, Dict& params,
                                                         int postDataType,
                                                         QXRequestDelegate* delegate);
    std::shared_ptr<QXRequest> postRequestWithFile(std::string_view path, Dict& params,
                                                   QXRequestDelegate* delegate);
    /// A request without session handling to `base` (the service base when
    /// absent) + `path`, started at once.
    static std::shared_ptr<QXRequest> requestWithUrl(std::optional<std::string_view> base,
                                                     std::string_view path, const Dict& params,
                                                     std::string_view httpMethod,
                                                     QXRequestDelegate* delegate);
    /// Whether the request must go to the network; consumes "force" and "caches".
    static bool needRequest(std::string_view path, Dict& params, std::string_view httpMethod);
    /// Looks up status, accuracy, latitude and longitude of an address without
    /// blocking; `done` receives them later on the main thread, or the default
    /// position when the endpoint gives fewer than four fields or cannot be
    /// reached. A caller that may be gone by then guards its callback.
    static void getGEObyAddress(std::string_view address,
                                std::function<void(std::vector<std::string>)> done);

    // ---- Operations --------------------------------------------------------

    void getSystemCitylist(Dict& params, QXRequestDelegate* delegate);
    void systemCityinfo(Dict& params, QXRequestDelegate* delegate);
    void systemLocation(Dict& params, QXRequestDelegate* delegate);
    void systemHome(Dict& params, QXRequestDelegate* delegate);
    static void systemUpdate(Dict& params, QXRequestDelegate* delegate);
    void getSystemCommentList(Dict& params, QXRequestDelegate* delegate);
    void getSystemReplyList(Dict& params, QXRequestDelegate* delegate);
    void getNewsSort(Dict& params, QXRequestDelegate* delegate);
    void getNewsSearch(Dict& params, QXRequestDelegate* delegate);
    void getNewsDetail(Dict& params, QXRequestDelegate* delegate);
    void getHouseSearch(Dict& params, QXRequestDelegate* delegate);
    void getHouseDetail(Dict& params, QXRequestDelegate* delegate);
    void houseIntroduce(Dict& params, QXRequestDelegate* delegate);
    void houseSaleinfo(Dict& params, QXRequestDelegate* delegate);
    void houseSupport(Dict& params, QXRequestDelegate* delegate);
    void getHouseSellList(Dict& params, QXRequestDelegate* delegate);
    void getHouseGallery(Dict& params, QXRequestDelegate* delegate);
    void getOldhouseSearch(Dict& params, QXRequestDelegate* delegate);
    void getOldhouseDetail(Dict& params, QXRequestDelegate* delegate);
    void getAskList(Dict& params, QXRequestDelegate* delegate);
    void getAskDetail(Dict& params, QXRequestDelegate* delegate);
    void getTopicList(Dict& params, QXRequestDelegate* delegate);
    void getTopicDetail(Dict& params, QXRequestDelegate* delegate);
    void getActivityList(Dict& params, QXRequestDelegate* delegate);
    void getActivityDetail(Dict& params, QXRequestDelegate* delegate);
    void activityApplyacivity(Dict& params, QXRequestDelegate* delegate);
    void getLiveList(Dict& params, QXRequestDelegate* delegate);
    void getLiveDetail(Dict& params, QXRequestDelegate* delegate);
    void getLiveDiscussList(Dict& params, QXRequestDelegate* delegate);
    static void userLogin(Dict& params, QXRequestDelegate* delegate);
    static void userRegister(Dict& params, QXRequestDelegate* delegate);
    void getUserInfo(Dict& params, QXRequestDelegate* delegate);
    void userSetpassword(Dict& params, QXRequestDelegate* delegate);
    void userSetinfo(Dict& params, QXRequestDelegate* delegate);
    void userHeadphoto(Dict& params, QXRequestDelegate* delegate);
    void userMessagePost(Dict& params, QXRequestDelegate* delegate);
    void userFriendgroup(Dict& params, QXRequestDelegate* delegate);
    void getUserSetgroup(Dict& params, QXRequestDelegate* delegate);
    void userUpdategroup(Dict& params, QXRequestDelegate* delegate);
    void getUserFriendSearch(Dict& params, QXRequestDelegate* delegate);
    void userApply(Dict& params, QXRequestDelegate* delegate);
    void userFoward(Dict& params, QXRequestDelegate* delegate);
    void userClose(Dict& params, QXRequestDelegate* delegate);
    void userBestanswer(Dict& params, QXRequestDelegate* delegate);
    void userPass(Dict& params, QXRequestDelegate* delegate);
    void userAgree(Dict& params, QXRequestDelegate* delegate);
    void userRecommand(Dict& params, QXRequestDelegate* delegate);
    void userRemark(Dict& params, QXRequestDelegate* delegate);
    void userFocus(Dict& params, QXRequestDelegate* delegate);
    void getUserFocushouseList(Dict& params, QXRequestDelegate* delegate);
    void userSubscribe(Dict& params, QXRequestDelegate* delegate);
    void userNewmsg(Dict& params, QXRequestDelegate* delegate);
    void getUserSearchmsg(Dict& params, QXRequestDelegate* delegate);
    void getUserSendmsgList(Dict& params, QXRequestDelegate* delegate);
    void userSendmsg(Dict& params, QXRequestDelegate* delegate);
    void userDeletemsg(Dict& params, QXRequestDelegate* delegate);
    void userShieldmsg(Dict& params, QXRequestDelegate* delegate);
    void userSetmsg(Dict& params, QXRequestDelegate* delegate);
    void userBlack(Dict& params, QXRequestDelegate* delegate);

private:
    /// How an operation fills the page size into the caller's dictionary.
    enum class PageSize { kNone, kAlways, kIfUnset, kIfUnsetWithCount, kCountOnly };
    static void applyPageSize(Dict& params, PageSize rule);
    /// Instance GET with the page-size rule applied to the caller's dictionary.
    void get(std::string_view path, Dict& params, QXRequestDelegate* delegate,
             PageSize rule = PageSize::kNone);
    /// Instance GET through the cache decision.
    void getIfNeeded(std::string_view path, Dict& params, QXRequestDelegate* delegate);
    /// Starts signing in again with the stored user name and password, unless
    /// they are missing (then nothing is in flight and no token comes).
    void relogin();
    /// The automatic re-login's answer (nothing when it failed): takes the
    /// session it brings and sends the requests that waited for it.
    void reloginAnswered(const std::optional<Value>& reply);
    /// Sends the requests that waited for a re-login, with the token now held.
    void sendWaitingRequests();

    std::optional<std::string> userId_;
    std::optional<std::string> accessToken_;
    std::optional<std::string> cityId_;
    bool needRelogin_ = false;
    std::string number_ = "0,0,0,0";
    std::optional<std::vector<std::string>> lastUpdateTime_;
    std::shared_ptr<QXRequest> request_;
    std::function<void(int)> loginPromptHandler_;

    /// Hears the answer of the session's re-login (and, once the session is
    /// gone, lets its request drop the answer).
    struct ReloginListener : QXRequestDelegate {
        explicit ReloginListener(DSTovera& session) : owner(session) {}
        bool requestDidLoadRawResponse(QXRequest* request, std::string_view bytes) override;
        void requestDidFailWithError(QXRequest* request, const Error& error) override;
        DSTovera& owner;
    };
    ReloginListener reloginListener_{*this};
    /// The re-login in flight, if any; an answer to any other is ignored.
    std::shared_ptr<QXRequest> reloginRequest_;
    /// Announced requests held back until the re-login settles (dropped
    /// unsent if the session goes first).
    std::vector<std::shared_ptr<QXRequest>> waitingForRelogin_;
    /// No automatic re-login is tried before this time.
    std::optional<platform::Timers::Clock::time_point> reloginPausedUntil_;
};

}  // namespace tovera
