// The web view's engine for HTML text (article and comment bodies,
// descriptions): QTextBrowser with the base address's directory as the only
// place local resources come from, pictures by address through the picture
// loader, links offered to the web view before anything happens, and no
// scripts. The load finishes once every picture has arrived. Pictures never
// grow wider than the page (they shrink, keeping their proportions); one
// still loading or not loadable shows a small placeholder instead.
#pragma once

#include "platform/ui/web/WebViewEngine.h"

#include <QSet>
#include <QTextBrowser>

namespace tovera::platform::ui {

class TextWebEngine : public QTextBrowser, public WebViewEngine {
    Q_OBJECT
public:
    TextWebEngine(QWidget* parent, Callbacks callbacks);

    QWidget* widget() override { return this; }
    void loadHtml(const QString& html, const QUrl& baseUrl) override;
    void loadUrl(const QUrl& url) override;
    bool canGoBack() const override { return false; }
    void goBack() override {}
    bool canGoForward() const override { return false; }
    void goForward() override {}
    void reload() override;
    void stop() override;
    bool isLoading() const override { return loading_; }
    QUrl url() const override { return baseUrl_; }
    double contentHeight() const override;
    void runScript(const QString& script,
                   std::function<void(const std::optional<QString>&)> done) override;
    QString plainText() const override { return toPlainText(); }
    void setTransparent(bool transparent) override;
    void setScrollEnabled(bool enabled) override { scrollEnabled_ = enabled; }

    /// Whether `url` is a local file inside the base address's directory.
    bool isAllowedLocalFile(const QUrl& url) const;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void linkClicked(const QUrl& url);
    void finishWhenReady();
    /// Gives every picture its drawn size: its own (or the one the page
    /// asks for) within the page width, or the placeholder's.
    void fitPictures();
    QImage placeholder(bool loading) const;

    Callbacks callbacks_;
    QUrl baseUrl_;
    QString html_;
    bool loading_ = false;
    bool scrollEnabled_ = true;
    int pending_ = 0;
    unsigned generation_ = 0;
    // Pictures by address (resolved) now drawn as a placeholder.
    QSet<QString> placeholders_;
};

}  // namespace tovera::platform::ui
