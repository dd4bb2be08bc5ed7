#include "framework/WebTools.h"

#include <QPointer>
#include <QTimer>

#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/View.h"

namespace tovera {

using platform::ui::BarButtonItem;

WebTools::WebTools(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("购房工具"));
    RootScreenServices::shared().setBackItem(navigationItem());
}

QUrl WebTools::toolsUrl() {
    return QUrl(QString::fromStdString(DSTovera::toveraHttpRequestDomain() + "tools/tools.aspx"));
}

void WebTools::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, 320, 416));
    webView_ = new platform::ui::WebView(root->bounds());
    webView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    webView_->setDelegate(this);
    root->addSubview(webView_);
    setView(root);
}

void WebTools::viewDidLoad() {
    webView_->loadRequest(toolsUrl());
}

void WebTools::webViewDidFinishLoad(platform::ui::WebView* webView) {
    const bool canGoBack = webView->canGoBack();
    if (showsPageBack_ == canGoBack) return;
    showsPageBack_ = canGoBack;
    if (!canGoBack) {
        RootScreenServices::shared().setBackItem(navigationItem());
        return;
    }
    navigationItem()->setLeftBarButtonItem(pageBackItem(webView_));
}

BarButtonItem* WebTools::pageBackItem(platform::ui::WebView* webView) {
    // Going back is posted: the page engine may report the load (and this
    // button be replaced) while the button's tap is still being delivered.
    QPointer<platform::ui::WebView> page(webView);
    return NavigationStyle::barButtonItem(QStringLiteral("后退"), BarButtonItem::Style::Back,
                                          [page] {
                                              QTimer::singleShot(0, page, [page] {
                                                  if (page) page->goBack();
                                              });
                                          });
}

}  // namespace tovera
