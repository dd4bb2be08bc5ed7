#include "platform/net/Http.h"

#include <algorithm>
#include <mutex>

#include "platform/Text.h"
#include "platform/net/AsyncConnection.h"
#include "platform/net/CurlTransfer.h"
#include "platform/net/HttpWorker.h"

namespace tovera::platform::net {

namespace {

struct IndicatorState {
    std::mutex mutex;
    std::function<void(bool)> handler;
};

IndicatorState& indicator() {
    static IndicatorState state;
    return state;
}

}  // namespace

std::string HttpResponse::header(std::string_view name) const {
    const auto it = std::find_if(headers.begin(), headers.end(), [&](const auto& entry) {
        return equalsIgnoringCase(entry.first, name);
    });
    return it == headers.end() ? std::string() : it->second;
}

std::shared_ptr<Connection> Connection::start(HttpRequest request,
                                              std::shared_ptr<ConnectionDelegate> delegate) {
    auto connection = std::make_shared<AsyncConnection>(request, std::move(delegate));
    HttpWorker::instance().add(connection);
    return connection;
}

FetchResult fetch(const HttpRequest& request) {
    // One handle per thread, so consecutive fetches reuse its live connections.
    thread_local const CurlEasy easy = makeCurlEasy();
    FetchResult result;
    if (!easy) {
        result.error = makeNetError(CURLE_FAILED_INIT);
        return result;
    }
    CurlTransfer transfer(easy.get(), request,
                          [&result](std::string_view chunk) { result.body.append(chunk); });
    const CURLcode code = curl_easy_perform(easy.get());
    result.response = transfer.response();
    if (code != CURLE_OK) result.error = transfer.error(code);
    return result;
}

void setNetworkActivityIndicatorVisible(bool visible) {
    std::function<void(bool)> handler;
    {
        std::lock_guard lock(indicator().mutex);
        handler = indicator().handler;
    }
    if (handler) handler(visible);
}

void setNetworkActivityIndicatorHandler(std::function<void(bool)> handler) {
    std::lock_guard lock(indicator().mutex);
    indicator().handler = std::move(handler);
}

}  // namespace tovera::platform::net
