#include "framework/WebTools.h"

#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/View.h"

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
    if (webView->canGoBack()) {
        navigationItem()->setLeftBarButtonItem(NavigationStyle::barButtonItem(
            QStringLiteral("后退"), BarButtonItem::Style::Back, [this] { webView_->goBack(); }));
    } else {
        RootScreenServices::shared().setBackItem(navigationItem());
    }
}

}  // namespace tovera
