// What both screen bases do with a service reply or failure before the
// screen sees it: the refusal check on "code", keeping the news categories,
// and the failure alerts (login prompt, "出错了", the shared load-failure
// alert, silence for the unread-count poll).
#pragma once

#include <string>
#include <string_view>

#include "core/Error.h"
#include "core/Value.h"

class QWidget;

namespace tovera::platform::ui {
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class QXRequest;

/// What a reply's "code" says: absent (or null) for a plain payload such as
/// a list page, refused when its integer value is above 0, and otherwise
/// accepted (the answer to an action, with its "msg").
enum class ReplyCode { Missing, Accepted, Refused };

class ReplyDispatch {
public:
    static ReplyCode code(const Value& reply);
    /// Logs the reply; when its integer "code" is above 0 shows its "msg"
    /// in an alert titled `refusalTitle` with "确定" and returns true.
    static bool refused(const Value& reply, std::string_view refusalTitle);
    /// Keeps the reply's "result" as the news category table when the
    /// request went to "news/sort.aspx".
    static void keepCategories(const QXRequest* request, const Value& reply);
    /// Shows what a failure calls for: the login prompt for a signed-out
    /// upload, "提示" / "出错了" for another client error, and otherwise the
    /// shared load-failure alert, unless the request was the unread-count
    /// poll (its "api" is "newmsg"). `failedScreen` is the full screen whose
    /// request failed (null for an embedded view); `failedView` the view
    /// that asked (the screen's or the embedded one). Nothing is shown when
    /// that view is part of a screen the user has left.
    static void showFailure(const QXRequest* request, const Error& error,
                            platform::ui::ViewController* failedScreen,
                            const QWidget* failedView = nullptr);
    /// Marks `screenView` as the view of a screen taken off its navigation
    /// stack. Until it is deleted it may still hear of its requests (a reply
    /// already under way, or one a part of it sent when its page finished
    /// loading); their failures are no longer the user's concern and an
    /// alert would appear over the screen now shown.
    static void markLeft(QWidget* screenView);
    /// Whether `view` is, or is inside, the view of a screen the user left.
    static bool inLeftScreen(const QWidget* view);
    /// The part of showFailure() for client errors (an unreadable reply, a
    /// signed-out upload): shows what they call for and returns true; false
    /// for any other failure.
    static bool showClientError(const Error& error);
    /// A one-line account of a reply for the log (keys with their scalar
    /// values; lists by their length).
    static std::string describe(const Value& reply);
};

}  // namespace tovera
