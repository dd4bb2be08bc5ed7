// A plain synchronous HTTP request: the base of the small form poster used
// by the crash reporter. Ordinary service traffic goes through QXRequest.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/net/Http.h"

namespace tovera {

class QXHTTPRequest {
public:
    /// Time-out copied into every new request, in seconds.
    static int defaultTimeOutSeconds() { return defaultTimeOut_; }
    static void setDefaultTimeOutSeconds(int seconds) { defaultTimeOut_ = seconds; }

    explicit QXHTTPRequest(std::string url);
    virtual ~QXHTTPRequest() = default;

    const std::string& url() const { return url_; }
    const std::string& requestMethod() const { return requestMethod_; }
    void setRequestMethod(std::string method) { requestMethod_ = std::move(method); }
    int timeOutSeconds() const { return timeOutSeconds_; }
    void setTimeOutSeconds(int seconds) { timeOutSeconds_ = seconds; }
    /// Adds a header; a header set here wins over the ones built at start.
    void addRequestHeader(std::string name, std::string value);
    const platform::net::Headers& requestHeaders() const { return requestHeaders_; }

    /// Builds headers and body, sends, and returns once the request has
    /// completed or failed (it always returns). A request runs once; later
    /// calls return at once.
    void startSynchronous();

    bool complete() const { return complete_; }
    int responseStatusCode() const { return responseStatusCode_; }
    /// The reply body, inflated when the server sent it gzip-compressed.
    const std::string& responseData() const { return responseData_; }
    /// The failure, if the request did not complete normally.
    const std::optional<std::string>& error() const { return error_; }

protected:
    /// Adds the request's own headers and returns the body to send.
    virtual std::string buildPostBody() { return {}; }
    /// Sets `error` and stops the request before it is sent.
    void failWithText(std::string text) { error_ = std::move(text); }
    bool hasHeader(std::string_view name) const;

private:
    void buildRequestHeaders();

    static int defaultTimeOut_;

    std::string url_;
    std::string requestMethod_ = "GET";
    platform::net::Headers requestHeaders_;
    int timeOutSeconds_;
    bool complete_ = false;
    int responseStatusCode_ = 0;
    std::string responseData_;
    std::optional<std::string> error_;
};

/// The User-Agent text: application name and version, device model, system
/// name and version, locale.
std::string defaultUserAgentString();

/// Inflates a gzip body; nothing when the bytes are not valid gzip.
std::optional<std::string> gunzip(std::string_view bytes);

}  // namespace tovera
