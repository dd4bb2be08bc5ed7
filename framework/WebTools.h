// "购房工具": the portal's home-buying calculators, a web page of the
// service ("tools/tools.aspx"). While the page can go back, the left button
// reads "后退" and goes back in the page's history; otherwise it is the
// ordinary back button.
#pragma once

#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

class WebTools : public platform::ui::ViewController, public platform::ui::WebViewDelegate {
    Q_OBJECT
public:
    explicit WebTools(QObject* parent = nullptr);

    platform::ui::WebView* webView() const { return webView_; }
    /// The page's address under the service base.
    static QUrl toolsUrl();

    void webViewDidFinishLoad(platform::ui::WebView* webView) override;
    /// A left button "后退" that takes `page` one page back in its history.
    static platform::ui::BarButtonItem* pageBackItem(platform::ui::WebView* page);

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    platform::ui::WebView* webView_ = nullptr;
    bool showsPageBack_ = false;  // the left button reads "后退"
};

}  // namespace tovera
