// The base of a project page that shows service text in a web view (the
// introduction, the transport page): the web view fills the page with a
// clear background, and once the text is laid out the page takes the
// height of its content, and so does a scroll view holding the page.
#pragma once

#include <QString>

#include "framework/QXRequestView.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

class ProjectWebPage : public QXRequestView, public platform::ui::WebViewDelegate {
    Q_OBJECT
public:
    explicit ProjectWebPage(const QRectF& frame, QWidget* parent = nullptr);

    platform::ui::WebView* webView() const { return webView_; }

    void webViewDidFinishLoad(platform::ui::WebView* webView) override;

protected:
    /// Shows `html` without a base location: the text comes from the
    /// service and must not reach the application's local files.
    void showHtml(const QString& html);

private:
    platform::ui::WebView* webView_ = nullptr;
};

}  // namespace tovera
