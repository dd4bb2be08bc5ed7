#include "platform/net/AsyncConnection.h"

#include <string>

namespace tovera::platform::net {

AsyncConnection::AsyncConnection(const HttpRequest& request,
                                 std::shared_ptr<ConnectionDelegate> delegate)
    : queue_(mainQueue()), delegate_(std::move(delegate)), easy_(makeCurlEasy()) {
    if (easy_)
        transfer_ = std::make_unique<CurlTransfer>(
            easy_.get(), request, [this](std::string_view chunk) { received(chunk); });
}

void AsyncConnection::cancel() {
    if (cancelled_.exchange(true)) return;
    delegate_.reset();
    HttpWorker::instance().cancel(shared_from_this());
}

void AsyncConnection::received(std::string_view chunk) {
    if (cancelled_) return;
    postResponseOnce();
    post([data = std::string(chunk)](ConnectionDelegate& delegate) {
        delegate.didReceiveData(data);
    });
}

void AsyncConnection::postResponseOnce() {
    if (responsePosted_) return;
    responsePosted_ = true;
    post([response = transfer_->response()](ConnectionDelegate& delegate) {
        delegate.didReceiveResponse(response);
    });
}

void AsyncConnection::finished(CURLcode result) {
    if (result != CURLE_OK || !transfer_) {
        const NetError error = transfer_ ? transfer_->error(result) : makeNetError(result);
        post([error](ConnectionDelegate& delegate) { delegate.didFailWithError(error); }, true);
        return;
    }
    // A reply without a body still announces its response first.
    postResponseOnce();
    post([](ConnectionDelegate& delegate) { delegate.didFinishLoading(); }, true);
}

void AsyncConnection::post(Event event, bool last) {
    if (cancelled_) return;
    queue_.post([self = shared_from_this(), event = std::move(event), last] {
        self->deliver(event, last);
    });
}

void AsyncConnection::deliver(const Event& event, bool last) {
    // The local copy keeps the delegate alive even if it cancels or lets go
    // of this connection while it runs.
    const std::shared_ptr<ConnectionDelegate> delegate = delegate_;
    if (!delegate) return;
    if (last) delegate_.reset();
    event(*delegate);
}

}  // namespace tovera::platform::net
