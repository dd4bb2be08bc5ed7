#include <algorithm>

#include "core/DSTovera.h"
#include "core/Encoding.h"
#include "core/PreferenceKeys.h"
#include "core/ServiceSettings.h"
#include "platform/Preferences.h"
#include "platform/net/Http.h"

namespace tovera {

namespace {

// Everything but unreserved ASCII is escaped in the geocoding query.
constexpr std::string_view kGeoEscaped = "!\"#$%&'()*+,/:;<=>?@[\\]^`{|}";

// The CSV fields of a geocoding answer; the default position when fewer
// than four came back.
std::vector<std::string> positionFromAnswer(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        fields.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (fields.size() < 4) return {"200", "4", "31.859207", "117.30757"};
    return fields;
}

// Collects a geocoding answer and hands the position on; the connection
// keeps it until the transfer ends.
class GeoAnswer final : public platform::net::ConnectionDelegate {
public:
    explicit GeoAnswer(std::function<void(std::vector<std::string>)> done)
        : done_(std::move(done)) {}
    void didReceiveData(std::string_view data) override { body_.append(data); }
    void didFinishLoading() override { done_(positionFromAnswer(body_)); }
    void didFailWithError(const platform::net::NetError&) override {
        done_(positionFromAnswer({}));
    }

private:
    std::function<void(std::vector<std::string>)> done_;
    std::string body_;
};

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
    const bool reloginDue =
        needRelogin_ || (!accessToken_ && platform::preferences().boolean(PrefKey::kAutologin) &&
                         !(reloginPausedUntil_ && platform::timers().now() < *reloginPausedUntil_));
    if (!reloginRequest_ && reloginDue) relogin();
    if (copy.getIntValueForKey("cityid", 0) < 1 && cityId_) copy.set("cityid", *cityId_);

    const bool waiting = reloginRequest_ != nullptr;
    if (!waiting && accessToken_) copy.set("access_token", *accessToken_);
    std::optional<KeepRule> keep;
    if (httpMethod == "GET") keep = OfflineStore::ruleFor(path, copy, userId_);
    request_ = QXRequest::getRequestWithParams(std::move(copy), httpMethod, 0, delegate,
                                               toveraHttpRequestDomain() + std::string(path));
    request_->setKeep(std::move(keep));
    if (waiting) {
        // The delegate hears of the request now, as a screen that ties the
        // request to its page expects; it goes out with the re-login's token.
        request_->announce();
        waitingForRelogin_.push_back(request_);
    } else {
        request_->connect();
    }
    return request_;
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
    // A city the form chose (a new live room's) goes out as chosen; the
    // session's city fills in only where none is given.
    if (cityId_ && params.getIntValueForKey("cityid", 0) < 1) params.set("cityid", *cityId_);

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

void DSTovera::getGEObyAddress(std::string_view address,
                               std::function<void(std::vector<std::string>)> done) {
    platform::net::HttpRequest geo;
    geo.url = serviceSettings().geocodingBase() +
              "/maps/geo?q=" + percentEncode(address, kGeoEscaped) + "&output=csv";
    geo.timeout = QXRequest::kTimeout;
    platform::net::Connection::start(std::move(geo), std::make_shared<GeoAnswer>(std::move(done)));
}

}  // namespace tovera
