#include "core/QXRequest.h"

#include <optional>

#include "core/Encoding.h"
#include "core/Gb18030.h"
#include "core/QXJson.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Text.h"

namespace tovera {

namespace {

// The parameters as the log may show them: every secret value masked,
// whatever characters it holds; none when nothing needs masking.
std::optional<Dict> maskedForLog(const Dict& params) {
    std::optional<Dict> masked;
    for (const auto& [key, value] : params)
        if (platform::isSecretKey(key) && !value.isNull()) {
            if (!masked) masked = params;
            masked->set(key, Value("***"));
        }
    return masked;
}

// A one-line description of the parameters for the log.
std::string describe(const Dict& params) {
    std::string out = "{";
    for (const auto& [key, value] : params) {
        if (out.size() > 1) out += ", ";
        out += key + "=";
        if (platform::isSecretKey(key))
            out += "***";
        else if (const Data* data = value.data())
            out += "<" + std::to_string(data->bytes.size()) + " bytes>";
        else
            out += value.toText();
    }
    return out + "}";
}

}  // namespace

std::shared_ptr<QXRequest> QXRequest::getRequestWithParams(
    Dict params, std::string_view httpMethod, int postDataType, QXRequestDelegate* delegate,
    std::string_view requestURL, platform::net::Headers headerFieldsInfo) {
    std::shared_ptr<QXRequest> request(new QXRequest());
    request->url_ = requestURL;
    request->httpMethod_ = httpMethod;
    request->params_ = std::move(params);
    request->postDataType_ = postDataType;
    request->headerFieldsInfo_ = std::move(headerFieldsInfo);
    request->delegate_ = delegate;
    if (delegate) request->delegateToken_ = delegate->lifetimeToken();
    return request;
}

QXRequest::~QXRequest() {
    if (auto connection = connection_.lock()) connection->cancel();
}

QXRequestDelegate* QXRequest::liveDelegate() const {
    return delegateToken_.expired() ? nullptr : delegate_;
}

bool QXRequest::isGet() const {
    return platform::equalsIgnoringCase(httpMethod_, "GET");
}

std::string QXRequest::stringFromDictionary(const Dict& params) {
    std::string form;
    for (const auto& [key, value] : params) {
        if (!value.isString()) {
            platform::logLine("Please Use NSString for this kind of params");
            continue;
        }
        if (key == "api" || key == "urlencode") continue;
        if (!form.empty()) form += '&';
        form += key;
        form += '=';
        form += URLEncodedString(*value.string());
    }
    return form;
}

std::string QXRequest::serializeURL(std::string_view url, const Dict& params,
                                    std::string_view httpMethod) {
    std::string address(url);
    if (!platform::equalsIgnoringCase(httpMethod, "GET")) return address;
    const std::string form = stringFromDictionary(params);
    if (form.empty()) return address;
    address += address.find('?') == std::string::npos ? '?' : '&';
    return address + form;
}

void QXRequest::utfAppendBody(std::string& body, std::string_view text) {
    body += gb18030::fromUtf8Lossy(text);
}

std::string QXRequest::generatePostBody() const {
    std::string body;
    if (postDataType_ != 1) {
        utfAppendBody(body, stringFromDictionary(params_));
        return body;
    }

    const std::string boundary(kBoundary);
    const std::string separator = "--" + boundary + "\r\n";
    utfAppendBody(body, separator);
    for (const auto& [key, value] : params_) {
        if (value.isData() || value.isNull() || value.isArray() || value.isDict()) continue;
        utfAppendBody(body, "Content-Disposition: form-data; name=\"" + multipartName(key) +
                                "\"\r\n\r\n" + value.toText() + "\r\n");
        utfAppendBody(body, separator);
    }
    for (const auto& [key, value] : params_) {
        const Data* data = value.data();
        if (!data) continue;
        if (data->isPicture) {
            utfAppendBody(body, "Content-Disposition: form-data; name=\"" + multipartName(key) +
                                    "\"; filename=\"" + multipartName(key) + ".png\"\r\n");
            utfAppendBody(body,
                          "Content-Type: image/*\r\nContent-Transfer-Encoding: binary\r\n\r\n");
        } else {
            utfAppendBody(
                body, "Content-Disposition: form-data; name=\"" + multipartName(key) + "\"\r\n");
            utfAppendBody(
                body, "Content-Type: content/unknown\r\nContent-Transfer-Encoding: binary\r\n\r\n");
        }
        body += data->bytes;
        utfAppendBody(body, "\r\n" + separator);
    }
    // The last separator closes the body ("--B--"), as multipart requires.
    body.resize(body.size() - 2);
    body += "--\r\n";
    return body;
}

void QXRequest::connect() {
    announce();
    send();
}

void QXRequest::announce() {
    if (QXRequestDelegate* d = liveDelegate()) d->requestLoading(this);
}

void QXRequest::send() {
    platform::net::HttpRequest http;
    http.url = serializeURL(url_, params_, httpMethod_);
    const std::optional<Dict> masked = maskedForLog(params_);
    platform::logLine("url:" + (masked ? serializeURL(url_, *masked, httpMethod_) : http.url));
    platform::logLine("param:" + describe(params_));
    http.method = httpMethod_;
    http.timeout = timeout_;
    if (!isGet()) {
        if (postDataType_ == 1)
            http.headers.emplace_back("Content-Type",
                                      "multipart/form-data; boundary=" + std::string(kBoundary));
        http.body = generatePostBody();
    }
    for (const auto& header : headerFieldsInfo_)
        http.headers.push_back(header);

    platform::net::setNetworkActivityIndicatorVisible(true);
    // The connection holds this request (through its delegate base) until it ends.
    std::shared_ptr<platform::net::ConnectionDelegate> sink(
        shared_from_this(), static_cast<platform::net::ConnectionDelegate*>(this));
    connection_ = platform::net::Connection::start(std::move(http), std::move(sink));
}

void QXRequest::didReceiveResponse(const platform::net::HttpResponse& response) {
    responseText_ = std::string();
    if (QXRequestDelegate* d = liveDelegate()) d->requestDidReceiveResponse(this, response);
}

void QXRequest::didReceiveData(std::string_view data) {
    if (!responseText_) responseText_ = std::string();
    responseText_->append(data);
}

void QXRequest::didFinishLoading() {
    // Keeps this request alive while it reports, whoever else lets go of it.
    auto self = shared_from_this();
    platform::net::setNetworkActivityIndicatorVisible(false);
    platform::logLine("connectionDidFinishLoading stop networkActivityIndicatorVisible");
    handleResponseData(responseText_.value_or(std::string()));
    responseText_.reset();
    connection_.reset();
}

void QXRequest::didFailWithError(const platform::net::NetError& netError) {
    auto self = shared_from_this();
    platform::logLine("didFailWithError stop networkActivityIndicatorVisible:" + netError.message);
    platform::logLine("didFailWithError _responseText:" +
                      (responseText_ ? gb18030::toUtf8Lossy(*responseText_) : "(null)"));
    platform::net::setNetworkActivityIndicatorVisible(false);
    Error error;
    error.domain = netError.domain;
    error.code = netError.code;
    error.description = netError.message;
    error.userInfo.set("NSLocalizedDescription", netError.message);
    if (netError.timedOut) error.userInfo.set("timedOut", true);
    std::optional<KeptReply> kept = keep_ ? OfflineStore::kept(keep_->key) : std::nullopt;
    QXRequestDelegate* d = liveDelegate();
    if (kept && d)
        d->requestDidLoadKept(this, kept->reply, kept->saved);
    else
        failWithError(error);
    responseText_.reset();
    connection_.reset();
}

void QXRequest::failWithError(const Error& error) {
    if (QXRequestDelegate* d = liveDelegate()) d->requestDidFailWithError(this, error);
}

void QXRequest::handleResponseData(std::string_view bytes) {
    QXRequestDelegate* d = liveDelegate();
    if (d && d->requestDidLoadRawResponse(this, bytes)) return;

    Error error;
    std::optional<Value> result = parseJsonResponse(bytes, &error);
    if (!result || error.code != 0) {
        failWithError(error);
        return;
    }
    // A refusal ("code" above 0) is no copy of what the screen shows.
    if (keep_ && result->getIntValueForKey("code", 0) <= 0) OfflineStore::keep(*keep_, *result);
    // The delegate may have gone while the raw reply was offered.
    if ((d = liveDelegate())) {
        d->requestDidLoad(this, *result);
    } else if (!delegate_) {
        // Fire-and-forget actions show the service's answer.
        platform::showAlert({"提示", result->getStringValueForKey("msg", ""), {"确定"}});
    }
}

std::optional<Value> QXRequest::parseJsonData(std::string_view bytes, Error* error) {
    QXJson json;
    std::optional<Value> value = json.objectWithString(bytes);
    if (!value && error) *error = formError(101, Dict{{std::string(keyCodeSDKError), "200"}});
    return value;
}

std::optional<Value> QXRequest::parseJsonResponse(std::string_view bytes, Error* error) {
    std::optional<Value> value = parseJsonData(bytes, error);
    if (!value) return value;
    const Dict* reply = value->dict();
    if (reply && reply->contains("error_code") && reply->getIntValueForKey("error_code", 0) != 200)
        if (error) *error = formError(100, *reply);
    return value;
}

Error QXRequest::formError(int code, Dict userInfo) {
    Error error;
    error.domain = domainError;
    error.code = code;
    error.userInfo = std::move(userInfo);
    return error;
}

}  // namespace tovera
