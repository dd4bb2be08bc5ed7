// The posting step the article's two forms share (a comment, an error
// report): the text goes out with the session's user, and a successful
// reply is toasted and closes the form.
#pragma once

#include <QString>

#include "core/Value.h"

namespace tovera {

class QXViewController;

namespace platform::ui {
class ViewController;
}  // namespace platform::ui

class PostReply {
public:
    /// The overlay; `text` and the session's user into the screen's param;
    /// the post.
    static void send(QXViewController& screen, const QString& text);
    /// Toasts the reply's "msg" ("发布成功!" without one). With
    /// `refreshBeneath` a list screen beneath the form gets the refresh
    /// flag. The form closes.
    static void finish(QXViewController& screen, const Value& reply, bool refreshBeneath);
    /// Sets the refresh flag of the screen beneath `screen` on its stack:
    /// a list screen's own, or that of the lists a plain screen hosts.
    static void refreshBeneath(platform::ui::ViewController& screen);
};

}  // namespace tovera
