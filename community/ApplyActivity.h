// "活动报名": the sign-up form of an activity, a web page of the service shown
// in a web view. The page carries the signed-in user's token so that the
// service records the sign-up for that user. After every page but the
// first, the page's result code (the text of its element "code") decides
// the left button: 0, the sign-up went through, gives the ordinary back
// button and has every activity beneath reload its count of people signed
// up; anything else (no code, an empty or unreadable one) gives "后退",
// which goes back a page. Opened with param `rid` = the activity id.
#pragma once

#include <optional>

#include "framework/QXViewController.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

class ApplyActivity : public QXViewController, public platform::ui::WebViewDelegate {
    Q_OBJECT
public:
    explicit ApplyActivity(QObject* parent = nullptr);

    platform::ui::WebView* webView() const { return webView_; }
    /// The sign-up page of the activity `id`, with the token when signed in.
    static QUrl applyUrl(const std::string& id, const std::optional<std::string>& accessToken);
    /// The page's result code: the whole text as an integer, 1 when there is
    /// none or it is not a number (an empty element is no success).
    static int resultCode(const std::optional<QString>& text);

    void webViewDidFinishLoad(platform::ui::WebView* webView) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void showResult(int code);

    platform::ui::WebView* webView_ = nullptr;
};

}  // namespace tovera
