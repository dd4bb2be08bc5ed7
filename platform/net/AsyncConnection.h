// The asynchronous Connection: a job of the HTTP worker whose events are
// posted to the main-thread queue that was current when it started, and
// handed to its delegate there unless it has been cancelled meanwhile.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "platform/MainQueue.h"
#include "platform/net/CurlTransfer.h"
#include "platform/net/Http.h"
#include "platform/net/HttpWorker.h"

namespace tovera::platform::net {

class AsyncConnection final : public Connection,
                              public HttpWorker::Job,
                              public std::enable_shared_from_this<AsyncConnection> {
public:
    AsyncConnection(const HttpRequest& request, std::shared_ptr<ConnectionDelegate> delegate);

    /// Main thread only.
    void cancel() override;

    CURL* easy() const override { return transfer_ ? transfer_->easy() : nullptr; }
    void finished(CURLcode result) override;

private:
    using Event = std::function<void(ConnectionDelegate&)>;

    // Worker thread: a body chunk arrived.
    void received(std::string_view chunk);
    void postResponseOnce();
    // Queues `event` for the main thread; `last` ends the delegate's hold.
    void post(Event event, bool last = false);
    // Main thread.
    void deliver(const Event& event, bool last);

    MainQueue& queue_;
    // Main thread only: cleared by cancel() and by the last event.
    std::shared_ptr<ConnectionDelegate> delegate_;
    std::atomic<bool> cancelled_{false};
    bool responsePosted_ = false;  // worker thread only
    CurlEasy easy_;
    std::unique_ptr<CurlTransfer> transfer_;  // after easy_: reset before it is freed
};

}  // namespace tovera::platform::net
