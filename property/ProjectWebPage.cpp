#include "property/ProjectWebPage.h"

#include <algorithm>

#include "platform/ui/lists/ScrollView.h"

namespace tovera {

using platform::ui::WebView;

ProjectWebPage::ProjectWebPage(const QRectF& frame, QWidget* parent)
    : QXRequestView(frame, parent) {
    setBackgroundColor(Qt::transparent);
    webView_ = new WebView(QRectF(0, 0, frame.width(), frame.height()));
    webView_->setOpaque(false);
    webView_->setBackgroundColor(Qt::transparent);
    webView_->setScrollEnabled(false);
    webView_->setDelegate(this);
    addSubview(webView_);
}

void ProjectWebPage::showHtml(const QString& html) {
    webView_->loadHTMLString(html);
}

void ProjectWebPage::webViewDidFinishLoad(WebView* webView) {
    const double height = std::max(webView->contentHeight(), 1.0);
    QRectF web = webView->frame();
    web.setHeight(height);
    webView->setFrame(web);
    QRectF page = frame();
    page.setHeight(height);
    setFrame(page);
    // The page sits in the project's content area, which scrolls.
    for (QWidget* up = parentWidget(); up; up = up->parentWidget()) {
        if (auto* scroll = qobject_cast<platform::ui::ScrollView*>(up)) {
            scroll->setContentSize(QSizeF(scroll->frame().width(), page.bottom()));
            break;
        }
    }
}

}  // namespace tovera
