#include "core/QXHTTPRequest.h"

#include <zlib.h>

#include <algorithm>

#include "platform/Device.h"
#include "platform/Text.h"

namespace tovera {

int QXHTTPRequest::defaultTimeOut_ = 10;

namespace {

bool isHttpUrl(std::string_view url) {
    for (std::string_view scheme : {"http://", "https://"})
        if (url.size() > scheme.size() && platform::startsWithIgnoringCase(url, scheme))
            return true;
    return false;
}

}  // namespace

QXHTTPRequest::QXHTTPRequest(std::string url)
    : url_(std::move(url)), timeOutSeconds_(defaultTimeOut_) {}

void QXHTTPRequest::addRequestHeader(std::string name, std::string value) {
    requestHeaders_.emplace_back(std::move(name), std::move(value));
}

bool QXHTTPRequest::hasHeader(std::string_view name) const {
    return std::any_of(requestHeaders_.begin(), requestHeaders_.end(), [&](const auto& header) {
        return platform::equalsIgnoringCase(header.first, name);
    });
}

std::string defaultUserAgentString() {
    const platform::AppInfo app = platform::appInfo();
    const platform::DeviceInfo device = platform::deviceInfo();
    std::string version = !app.shortVersion.empty() ? app.shortVersion : app.buildVersion;
    if (!app.shortVersion.empty() && !app.buildVersion.empty() &&
        app.shortVersion != app.buildVersion)
        version = app.shortVersion + " rv:" + app.buildVersion;
    return app.displayName + " " + version + " (" + device.model + "; " + device.systemName + " " +
           device.systemVersion + "; " + device.locale + ")";
}

void QXHTTPRequest::buildRequestHeaders() {
    if (!hasHeader("User-Agent")) addRequestHeader("User-Agent", defaultUserAgentString());
    if (!hasHeader("Accept-Encoding")) addRequestHeader("Accept-Encoding", "gzip");
}

void QXHTTPRequest::startSynchronous() {
    if (complete_) return;
    complete_ = true;
    if (!isHttpUrl(url_)) {
        error_ = "Unable to create request (bad url?)";
        return;
    }
    buildRequestHeaders();
    platform::net::HttpRequest http;
    http.body = buildPostBody();
    if (error_) return;
    http.url = url_;
    http.method = requestMethod_;
    http.headers = requestHeaders_;
    http.timeout = std::chrono::seconds(timeOutSeconds_);
    // The reply is inflated here, so the transfer must hand over the bytes
    // as they came.
    http.decodeContent = false;

    platform::net::FetchResult result = platform::net::fetch(http);
    responseStatusCode_ = static_cast<int>(result.response.statusCode);
    if (result.error) {
        error_ = result.error->message;
        return;
    }
    responseData_ = std::move(result.body);
    if (platform::equalsIgnoringCase(result.response.header("Content-Encoding"), "gzip")) {
        if (auto inflated = gunzip(responseData_))
            responseData_ = std::move(*inflated);
        else
            error_ = "Failed to inflate the compressed reply";
    }
}

std::optional<std::string> gunzip(std::string_view bytes) {
    z_stream stream{};
    // 16 + MAX_WBITS: expect a gzip header.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
    std::string out;
    char buffer[16384];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        rc = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (rc == Z_BUF_ERROR && stream.avail_in == 0) break;
    }
    inflateEnd(&stream);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

}  // namespace tovera
