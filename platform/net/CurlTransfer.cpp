#include "platform/net/CurlTransfer.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/Text.h"

namespace tovera::platform::net {

namespace {

constexpr long kMaxRedirects = 20;
// Only web addresses are fetched, also after a redirect (never file:, ftp:, ...).
constexpr const char* kProtocols = "http,https";

// A header that would end its line early or name nothing would let a value
// inject further headers or break the request, so it is left out.
bool isSafeHeader(std::string_view name, std::string_view value) {
    const auto breaksLine = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };
    if (name.empty() || std::any_of(name.begin(), name.end(), breaksLine)) return false;
    if (name.find_first_of(": \t") != std::string_view::npos) return false;
    return std::none_of(value.begin(), value.end(), breaksLine);
}

bool hasHeader(const Headers& headers, std::string_view name) {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& header) { return equalsIgnoringCase(header.first, name); });
}

std::atomic<bool> transfersAbandoned{false};

// Called by curl at least once a second in every phase of a transfer; a
// non-zero answer ends it with CURLE_ABORTED_BY_CALLBACK.
int onProgress(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return transfersAbandoned.load(std::memory_order_relaxed) ? 1 : 0;
}

}  // namespace

void setTransfersAbandoned(bool abandoned) {
    transfersAbandoned = abandoned;
}

CurlEasy makeCurlEasy() {
    // Never undone with curl_global_cleanup: handles of other threads (and
    // the worker's) may live until the process ends.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK) return nullptr;
    return CurlEasy(curl_easy_init());
}

CurlTransfer::CurlTransfer(CURL* easy, const HttpRequest& request, DataSink sink)
    : easy_(easy), sink_(std::move(sink)) {
    curl_easy_reset(easy_);
    curl_easy_setopt(easy_, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, kMaxRedirects);
    if (request.decodeContent)
        curl_easy_setopt(easy_, CURLOPT_ACCEPT_ENCODING, "");  // every coding curl can inflate
    else
        curl_easy_setopt(easy_, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeout.count()));
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    setMethodAndBody(request);
    setHeaders(request.headers);
}

CurlTransfer::~CurlTransfer() {
    curl_easy_reset(easy_);
}

void CurlTransfer::setMethodAndBody(const HttpRequest& request) {
    std::string method = request.method;
    std::transform(method.begin(), method.end(), method.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (method == "GET") {
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
        return;
    }
    if (method == "HEAD") {
        // A custom "HEAD" would make curl wait for a body that never comes.
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
        return;
    }
    if (method != "POST") curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, method.c_str());
    if (method == "POST" || !request.body.empty()) {
        // Without a Content-Type header of the caller's, curl labels the
        // body application/x-www-form-urlencoded.
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(easy_, CURLOPT_COPYPOSTFIELDS, request.body.data());
    }
}

void CurlTransfer::setHeaders(const Headers& extra) {
    Headers all;
    // Nothing is cached on the way: ask every proxy for a fresh answer too.
    for (const auto& [name, value] : Headers{{"Cache-Control", "no-cache"}, {"Pragma", "no-cache"}})
        if (!hasHeader(extra, name)) all.emplace_back(name, value);
    all.insert(all.end(), extra.begin(), extra.end());

    curl_slist* list = nullptr;
    const auto append = [&](const std::string& line) {
        if (curl_slist* grown = curl_slist_append(list, line.c_str())) list = grown;
    };
    // An empty "Expect:" stops curl from waiting for "100 Continue" before a body.
    if (!hasHeader(extra, "Expect")) append("Expect:");
    for (const auto& [name, value] : all) {
        if (!isSafeHeader(name, value)) continue;
        // "Name;" is curl's way of sending a header with an empty value.
        append(value.empty() ? name + ";" : name + ": " + value);
    }
    headerList_.reset(list);
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, list);
}

size_t CurlTransfer::onHeader(char* data, size_t size, size_t count, void* self) {
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const std::string_view line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        // A new status line: a redirect or interim response came before.
        transfer.received_.clear();
    } else if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        if (!transfer.received_.empty()) {  // folded continuation of the previous value
            auto& value = transfer.received_.back().second;
            value += ' ';
            value += trim(line);
        }
    } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
        transfer.received_.emplace_back(trim(line.substr(0, colon)), trim(line.substr(colon + 1)));
    }
    return size * count;
}

size_t CurlTransfer::onBody(char* data, size_t size, size_t count, void* self) {
    auto& transfer = *static_cast<CurlTransfer*>(self);
    if (transfer.sink_) transfer.sink_(std::string_view(data, size * count));
    return size * count;
}

HttpResponse CurlTransfer::response() const {
    HttpResponse response;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &response.statusCode);
    char* url = nullptr;
    if (curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &url) == CURLE_OK && url)
        response.url = url;
    response.headers = received_;
    return response;
}

NetError CurlTransfer::error(CURLcode code) const {
    return makeNetError(code, errorBuffer_);
}

NetError makeNetError(CURLcode code, std::string_view detail) {
    NetError error;
    error.code = static_cast<int>(code);
    error.message = curl_easy_strerror(code);
    detail = trim(detail);
    if (!detail.empty()) {
        error.message += ": ";
        error.message += detail;
    }
    error.timedOut = code == CURLE_OPERATION_TIMEDOUT;
    return error;
}

}  // namespace tovera::platform::net
