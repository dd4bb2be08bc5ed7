// One curl easy handle configured for an HttpRequest, collecting the reply's
// status, final address and headers as they arrive. Both the worker thread's
// asynchronous transfers and the blocking fetch() go through it, so every
// transfer gets the same options.
#pragma once

#include <curl/curl.h>

#include <functional>
#include <memory>
#include <string_view>

#include "platform/net/Http.h"

namespace tovera::platform::net {

struct CurlEasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;

/// Initialises libcurl once per process (thread-safe) and returns a new easy
/// handle, or nullptr when curl cannot make one.
CurlEasy makeCurlEasy();

/// The error record for `code`: curl's text for it, then `detail` if any.
NetError makeNetError(CURLcode code, std::string_view detail = {});

class CurlTransfer {
public:
    using DataSink = std::function<void(std::string_view)>;

    /// Resets `easy` (live connections stay cached in it) and configures it
    /// for `request`; every body chunk, already inflated, goes to `sink`.
    /// `easy` must outlive this object, which must outlive the transfer.
    CurlTransfer(CURL* easy, const HttpRequest& request, DataSink sink);
    /// Resets the handle so it no longer points at this object.
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    CURL* easy() const { return easy_; }

    /// The latest response: status, final address (after redirects) and the
    /// headers of the last response received (those of redirects and interim
    /// responses are dropped).
    HttpResponse response() const;

    /// The error record for a failed transfer's result code.
    NetError error(CURLcode code) const;

private:
    struct SlistFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    void setMethodAndBody(const HttpRequest& request);
    void setHeaders(const Headers& extra);

    CURL* easy_;
    DataSink sink_;
    std::unique_ptr<curl_slist, SlistFree> headerList_;
    Headers received_;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

}  // namespace tovera::platform::net
