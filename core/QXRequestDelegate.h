// Receiver of a request's outcome. Every operation is optional (does nothing
// by default). Each delegate carries a lifetime token: a request whose
// delegate has gone away drops its report instead of calling it.
#pragma once

#include <memory>
#include <string_view>

#include "core/Error.h"
#include "core/Value.h"
#include "platform/net/Http.h"

namespace tovera {

class QXRequest;

class QXRequestDelegate {
public:
    QXRequestDelegate() = default;
    // A copy is a different receiver with a lifetime of its own.
    QXRequestDelegate(const QXRequestDelegate&) {}
    QXRequestDelegate& operator=(const QXRequestDelegate&) { return *this; }
    virtual ~QXRequestDelegate() = default;

    /// The request is about to be sent.
    virtual void requestLoading(QXRequest*) {}
    /// The reply's headers arrived.
    virtual void requestDidReceiveResponse(QXRequest*, const platform::net::HttpResponse&) {}
    /// Returning true consumes the raw reply: nothing more is reported.
    virtual bool requestDidLoadRawResponse(QXRequest*, std::string_view) { return false; }
    /// Success with the decoded reply. `request` is null when the answer did
    /// not come from the network (a locally kept article).
    virtual void requestDidLoad(QXRequest*, const Value&) {}
    /// The service could not be reached and `reply` is the copy of this
    /// operation's reply kept when it last answered, saved at `saved`
    /// (seconds on the store's clock). Read as a reply by default.
    virtual void requestDidLoadKept(QXRequest* request, const Value& reply, double saved) {
        (void)saved;
        requestDidLoad(request, reply);
    }
    /// Failure; `request` is null when nothing was sent.
    virtual void requestDidFailWithError(QXRequest*, const Error&) {}

    /// Expires when this delegate is destroyed.
    std::weak_ptr<void> lifetimeToken() const { return token_; }

private:
    std::shared_ptr<char> token_ = std::make_shared<char>(0);
};

}  // namespace tovera
