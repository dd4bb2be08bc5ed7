// The web view's engine for pages by address, on Qt WebEngine. Built as a
// module (libtovera_webpage) that the web view loads the first time a page
// by address opens; it exports tovera_create_page_engine. As root, Chromium
// runs without its sandbox.
#pragma once

#include "platform/ui/web/WebViewEngine.h"

#include <QWebEngineView>

#include <memory>

namespace tovera::platform::ui {

class PageWebEngine : public QWebEngineView, public WebViewEngine {
    Q_OBJECT
public:
    PageWebEngine(QWidget* parent, Callbacks callbacks);

    QWidget* widget() override { return this; }
    void loadHtml(const QString& html, const QUrl& baseUrl) override;
    void loadUrl(const QUrl& url) override;
    bool canGoBack() const override;
    void goBack() override;
    bool canGoForward() const override;
    void goForward() override;
    void reload() override;
    void stop() override;
    bool isLoading() const override { return loading_; }
    QUrl url() const override;
    double contentHeight() const override;
    void runScript(const QString& script,
                   std::function<void(const std::optional<QString>&)> done) override;
    QString plainText() const override { return *text_; }
    void setTransparent(bool transparent) override;
    void setScrollEnabled(bool) override {}

private:
    Callbacks callbacks_;
    bool loading_ = false;
    // Shared with the page's pending text requests, which may be answered
    // after this object's members are gone (see the constructor).
    std::shared_ptr<QString> text_ = std::make_shared<QString>();
};

}  // namespace tovera::platform::ui
