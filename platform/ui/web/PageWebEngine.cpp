#include "platform/ui/web/PageWebEngine.h"

#include <QWebEngineHistory>
#include <QWebEnginePage>

#include <unistd.h>

namespace tovera::platform::ui {

namespace {

NavigationType navigationType(QWebEnginePage::NavigationType type) {
    switch (type) {
        case QWebEnginePage::NavigationTypeLinkClicked:
            return NavigationType::LinkClicked;
        case QWebEnginePage::NavigationTypeFormSubmitted:
            return NavigationType::FormSubmitted;
        case QWebEnginePage::NavigationTypeBackForward:
            return NavigationType::BackForward;
        case QWebEnginePage::NavigationTypeReload:
            return NavigationType::Reload;
        default:
            return NavigationType::Other;
    }
}

// A page that asks the web view before its main frame navigates.
class Page : public QWebEnginePage {
public:
    Page(QObject* parent,
         std::function<bool(const QUrl&, tovera::platform::ui::NavigationType)> ask)
        : QWebEnginePage(parent), ask_(std::move(ask)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!isMainFrame || !ask_) return true;
        return ask_(url, navigationType(type));
    }

private:
    std::function<bool(const QUrl&, tovera::platform::ui::NavigationType)> ask_;
};

}  // namespace

PageWebEngine::PageWebEngine(QWidget* parent, Callbacks callbacks)
    : QWebEngineView(parent), callbacks_(std::move(callbacks)) {
    setPage(new Page(this, callbacks_.shouldStart));
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        loading_ = true;
        if (callbacks_.didStart) callbacks_.didStart();
    });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        loading_ = false;
        // Keep the page's text for readers (tests, accessibility). The page
        // is a child object that QWidget's destructor deletes after this
        // object's members are gone, and it answers pending requests as it
        // goes; a QPointer to this object still reads as set then, so the
        // answer reaches the text through a weak reference instead.
        page()->toPlainText([text = std::weak_ptr<QString>(text_)](const QString& value) {
            if (auto kept = text.lock()) *kept = value;
        });
        if (ok) {
            if (callbacks_.didFinish) callbacks_.didFinish();
        } else if (callbacks_.didFail) {
            callbacks_.didFail(QStringLiteral("page did not load"));
        }
    });
}

void PageWebEngine::loadHtml(const QString& html, const QUrl& baseUrl) {
    setHtml(html, baseUrl);
}

void PageWebEngine::loadUrl(const QUrl& url) {
    load(url);
}

bool PageWebEngine::canGoBack() const {
    return history()->canGoBack();
}

void PageWebEngine::goBack() {
    back();
}

bool PageWebEngine::canGoForward() const {
    return history()->canGoForward();
}

void PageWebEngine::goForward() {
    forward();
}

void PageWebEngine::reload() {
    QWebEngineView::reload();
}

void PageWebEngine::stop() {
    QWebEngineView::stop();
}

QUrl PageWebEngine::url() const {
    return QWebEngineView::url();
}

double PageWebEngine::contentHeight() const {
    return page()->contentsSize().height();
}

void PageWebEngine::runScript(const QString& script,
                              std::function<void(const std::optional<QString>&)> done) {
    page()->runJavaScript(script, [done](const QVariant& result) {
        if (!done) return;
        if (!result.isValid() || result.isNull())
            done(std::nullopt);
        else
            done(result.toString());
    });
}

void PageWebEngine::setTransparent(bool transparent) {
    page()->setBackgroundColor(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
}

}  // namespace tovera::platform::ui

extern "C" Q_DECL_EXPORT tovera::platform::ui::WebViewEngine* tovera_create_page_engine(
    QWidget* parent, tovera::platform::ui::WebViewEngine::Callbacks callbacks) {
    // Chromium refuses to start its sandbox as root.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return new tovera::platform::ui::PageWebEngine(parent, std::move(callbacks));
}
