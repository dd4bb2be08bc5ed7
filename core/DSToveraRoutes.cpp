#include <algorithm>

#include "core/DSTovera.h"
#include "core/Encoding.h"
#include "core/Gb18030.h"
#include "core/PreferenceKeys.h"
#include "core/ServiceSettings.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/net/Http.h"

namespace tovera {

namespace {

void putText(platform::Preferences& prefs, const Value& reply, std::string_view key) {
    prefs.setString(key, reply.getStringValueForKey(key, ""));
}

// Everything but unreserved ASCII is escaped in the geocoding query.
constexpr std::string_view kGeoEscaped = "!\"#$%&'()*+,/:;<=>?@[\\]^`{|}";

}  // namespace

std::string DSTovera::toveraHttpRequestDomain() {
    return serviceSettings().toveraHttpRequestDomain();
}

std::shared_ptr<QXRequest> DSTovera::requestWithMethodName(std::string_view path,
                                                           const Dict& params,
                                                           std::string_view httpMethod,
                                                           QXRequestDelegate* delegate) {
    request_.reset();
    Dict copy = params;
    copy.remove("access_token");
    if (!accessToken_ || needRelogin_) {
        if (platform::preferences().boolean(PrefKey::kAutologin) || needRelogin_) relogin();
        if (accessToken_) copy.set("access_token", *accessToken_);
    } else {
        copy.set("access_token", *accessToken_);
    }
    if (copy.getIntValueForKey("cityid", 0) < 1 && cityId_) copy.set("cityid", *cityId_);

    request_ = QXRequest::getRequestWithParams(std::move(copy), httpMethod, 0, delegate,
                                               toveraHttpRequestDomain() + std::string(path));
    request_->connect();
    return request_;
}

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

    platform::net::HttpRequest login;
    login.url = toveraHttpRequestDomain() + "user/login.aspx";
    login.method = "POST";
    login.timeout = QXRequest::kTimeout;
    login.body = gb18030::fromUtf8Lossy(
        QXRequest::stringFromDictionary(Dict{{"username", *username}, {"password", *password}}));
    const platform::net::FetchResult answer = platform::net::fetch(login);
    if (answer.error) {
        platform::logLine("relogin failed:" + answer.error->message);
        return;
    }
    const std::optional<Value> reply = QXRequest::parseJsonData(answer.body, nullptr);
    if (!reply || (*reply)["password"].isNull()) return;
    // The reply names its fields as the preferences do.
    for (std::string_view key :
         {PrefKey::kUsername, PrefKey::kPassword, PrefKey::kUserId, PrefKey::kCompletion})
        putText(prefs, *reply, key);
    restoreUser();
}

std::shared_ptr<QXRequest> DSTovera::postRequestWithMethodName(std::string_view path, Dict& params,
                                                               int postDataType,
                                                               QXRequestDelegate* delegate) {
    if (!isUserLoggedin() && params.getStringValueForKey("api", "") != "postcomment") {
        if (delegate)
            delegate->requestDidFailWithError(
                nullptr, QXRequest::formError(101, Dict{{std::string(keyCodeSDKError), "203"}}));
        return nullptr;
    }
    request_.reset();
    // A token left in the dictionary by an earlier request must not go out
    // for a caller who has signed out since.
    if (accessToken_)
        params.set("access_token", *accessToken_);
    else
        params.remove("access_token");
    if (userId_ && !params.contains("uid")) params.set("uid", *userId_);
    if (cityId_) params.set("cityid", *cityId_);

    request_ = QXRequest::getRequestWithParams(params, "POST", postDataType, delegate,
                                               toveraHttpRequestDomain() + std::string(path));
    request_->connect();
    return request_;
}

std::shared_ptr<QXRequest> DSTovera::postRequestWithFile(std::string_view path, Dict& params,
                                                         QXRequestDelegate* delegate) {
    return postRequestWithMethodName(path, params, 1, delegate);
}

std::shared_ptr<QXRequest> DSTovera::requestWithUrl(std::optional<std::string_view> base,
                                                    std::string_view path, const Dict& params,
                                                    std::string_view httpMethod,
                                                    QXRequestDelegate* delegate) {
    const std::string address =
        (base ? std::string(*base) : toveraHttpRequestDomain()) + std::string(path);
    auto request = QXRequest::getRequestWithParams(params, httpMethod, 0, delegate, address);
    request->connect();
    return request;
}

bool DSTovera::needRequest(std::string_view path, Dict& params, std::string_view httpMethod) {
    if (params.remove("force")) return true;
    if (params.remove("caches")) return false;
    std::string method(httpMethod);
    std::transform(method.begin(), method.end(), method.begin(), ::toupper);
    if (method == "POST") return true;
    Dict query = params;
    query.remove("access_token");
    return searchUrlCaches(
        QXRequest::serializeURL(toveraHttpRequestDomain() + std::string(path), query, "GET"));
}

std::vector<std::string> DSTovera::getGEObyAddress(std::string_view address) {
    platform::net::HttpRequest geo;
    geo.url = serviceSettings().geocodingBase() +
              "/maps/geo?q=" + percentEncode(address, kGeoEscaped) + "&output=csv";
    geo.timeout = QXRequest::kTimeout;
    const platform::net::FetchResult answer = platform::net::fetch(geo);
    std::vector<std::string> fields;
    if (!answer.error) {
        std::string_view text = answer.body;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.remove_suffix(1);
        std::size_t start = 0;
        while (true) {
            std::size_t comma = text.find(',', start);
            fields.emplace_back(text.substr(start, comma - start));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }
    if (fields.size() < 4) return {"200", "4", "31.859207", "117.30757"};
    return fields;
}

}  // namespace tovera
