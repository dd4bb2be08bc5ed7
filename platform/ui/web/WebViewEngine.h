// What the web view needs from an engine. Two engines implement it: HTML
// text on QTextBrowser (light; one per list row is fine) and pages by
// address on Qt WebEngine (loaded as a module the first time such a page
// opens). Header-only, so the module needs nothing else of the toolkit.
#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

namespace tovera::platform::ui {

/// Why a navigation starts.
enum class NavigationType {
    LinkClicked,
    FormSubmitted,
    BackForward,
    Reload,
    FormResubmitted,
    Other
};

class WebViewEngine {
public:
    /// Delivers a picture (a null image on failure), on the main thread.
    using PictureDone = std::function<void(const QImage&)>;

    struct Callbacks {
        /// Asked before a main-frame navigation; false refuses it.
        std::function<bool(const QUrl&, NavigationType)> shouldStart;
        std::function<void()> didStart;
        std::function<void()> didFinish;
        std::function<void(const QString&)> didFail;
        /// A navigation the engine cannot show itself (text engine: a page
        /// by address); the web view hands it to the other engine.
        std::function<void(const QUrl&)> navigate;
        /// Fetches a picture by address (http, https), or is empty.
        std::function<void(const QUrl&, PictureDone)> loadPicture;
        /// Drawn at their own size where a picture by address is still on
        /// its way, and where it could not be loaded (the engine draws a
        /// small grey box for a null one).
        QImage loadingPicture;
        QImage missingPicture;
    };

    virtual ~WebViewEngine() = default;
    virtual QWidget* widget() = 0;
    virtual void loadHtml(const QString& html, const QUrl& baseUrl) = 0;
    virtual void loadUrl(const QUrl& url) = 0;
    virtual bool canGoBack() const = 0;
    virtual void goBack() = 0;
    virtual bool canGoForward() const = 0;
    virtual void goForward() = 0;
    virtual void reload() = 0;
    virtual void stop() = 0;
    virtual bool isLoading() const = 0;
    virtual QUrl url() const = 0;
    /// Height of the laid-out content, in points.
    virtual double contentHeight() const = 0;
    /// Runs a script and hands back its result as text (nothing when the
    /// engine runs no scripts or the result is undefined or null).
    virtual void runScript(const QString& script,
                           std::function<void(const std::optional<QString>&)> done) = 0;
    virtual QString plainText() const = 0;
    virtual void setTransparent(bool transparent) = 0;
    /// Whether the content scrolls inside the view (else the view's owner
    /// sizes the view to the content).
    virtual void setScrollEnabled(bool enabled) = 0;
};

/// The factory the page engine module exports as "tovera_create_page_engine".
using CreatePageEngine = WebViewEngine* (*)(QWidget* parent, WebViewEngine::Callbacks callbacks);

}  // namespace tovera::platform::ui
