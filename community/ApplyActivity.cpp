#include "community/ApplyActivity.h"

#include <QPointer>
#include <QUrlQuery>

#include "community/ActivityDetail.h"
#include "core/DSTovera.h"
#include "framework/RootScreenServices.h"
#include "framework/WebTools.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"

namespace tovera {

using platform::ui::WebView;

ApplyActivity::ApplyActivity(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("活动报名"));
}

QUrl ApplyActivity::applyUrl(const std::string& id, const std::optional<std::string>& accessToken) {
    QUrl url(QString::fromStdString(DSTovera::toveraHttpRequestDomain() +
                                    "activity/applyactivity.aspx"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("id"), QString::fromStdString(id));
    if (accessToken && !accessToken->empty())
        query.addQueryItem(QStringLiteral("access_token"), QString::fromStdString(*accessToken));
    url.setQuery(query);
    return url;
}

int ApplyActivity::resultCode(const std::optional<QString>& text) {
    if (!text) return 1;
    bool ok = false;
    const int code = text->trimmed().toInt(&ok);
    return ok ? code : 1;
}

void ApplyActivity::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, 320, 416));
    webView_ = new WebView(root->bounds());
    webView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    webView_->setDelegate(this);
    root->addSubview(webView_);
    setView(root);
}

void ApplyActivity::viewDidLoad() {
    QXViewController::viewDidLoad();
    webView_->loadRequest(applyUrl(param().rid(), session().accessToken()));
}

void ApplyActivity::webViewDidFinishLoad(WebView* webView) {
    if (!webView->canGoBack()) {
        RootScreenServices::shared().setBackItem(navigationItem());
        return;
    }
    QPointer<ApplyActivity> self(this);
    webView->evaluateJavaScript(QStringLiteral("document.getElementById(\"code\").innerText"),
                                [self](const std::optional<QString>& text) {
                                    if (self) self->showResult(resultCode(text));
                                });
}

void ApplyActivity::showResult(int code) {
    if (code == 0) {
        RootScreenServices::shared().setBackItem(navigationItem());
        if (platform::ui::NavigationController* nav = navigationController())
            for (platform::ui::ViewController* screen : nav->viewControllers())
                if (auto* detail = qobject_cast<ActivityDetail*>(screen)) detail->reloadData();
        return;
    }
    navigationItem()->setLeftBarButtonItem(WebTools::pageBackItem(webView_));
}

}  // namespace tovera
