// A web view with one interface and two engines, chosen per load: HTML text
// (loadHTMLString) renders on the light text engine; a page by address
// (loadRequest) on Qt WebEngine, which is loaded only when the first such
// page opens. The delegate may refuse navigations and hears start, finish
// and failure.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"
#include "platform/ui/web/WebViewEngine.h"

#include <QPointer>

#include <memory>

namespace tovera::platform::ui {

class WebView;

class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    virtual bool shouldStartLoadWithRequest(WebView*, const QUrl&, NavigationType) { return true; }
    virtual void webViewDidStartLoad(WebView*) {}
    virtual void webViewDidFinishLoad(WebView*) {}
    virtual void didFailLoadWithError(WebView*, const QString& /*message*/) {}
};

class WebView : public View {
    Q_OBJECT
public:
    enum class Engine { None, Text, Page };
    using PictureLoader = std::function<void(const QUrl&, WebViewEngine::PictureDone)>;

    explicit WebView(QWidget* parent = nullptr);
    explicit WebView(const QRectF& frame, QWidget* parent = nullptr);
    ~WebView() override;

    WebViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(WebViewDelegate* delegate) { delegate_ = delegate; }

    /// Shows HTML text; relative names ("style.css", pictures) resolve
    /// against `baseUrl` (local files only from within its directory).
    void loadHTMLString(const QString& html, const QUrl& baseUrl = {});
    /// Opens a page by address on the page engine.
    void loadRequest(const QUrl& url);
    void reload();
    void stopLoading();
    bool isLoading() const;
    QUrl url() const;

    bool canGoBack() const;
    void goBack();
    bool canGoForward() const;
    void goForward();

    /// Runs a script and hands its result to `done` as text (nothing when
    /// the engine has no scripts or the result is empty). `done` is called
    /// later, on the main thread, unless the web view is gone.
    void evaluateJavaScript(const QString& script,
                            std::function<void(const std::optional<QString>&)> done);

    /// Height of the laid-out content, in points.
    double contentHeight() const;
    /// A clear background (the default is white).
    void setOpaque(bool opaque);
    bool isOpaque() const { return opaque_; }
    /// Whether the content scrolls inside the view (default on).
    void setScrollEnabled(bool enabled);

    Engine engine() const { return engine_; }
    /// The text the page shows.
    QString visibleText() const override;

    /// How pictures by address are fetched for HTML text (the picture cache
    /// installs it); without one they are left out.
    static void setPictureLoader(PictureLoader loader);
    /// The small pictures shown while a picture by address loads and where
    /// it failed (null: a grey box).
    static void setPicturePlaceholders(const QImage& loading, const QImage& missing);
    /// Where the page engine module is, when not beside the program.
    static void setPageModulePath(const QString& path);

protected:
    void layoutSubviews() override;

private:
    WebViewEngine* useEngine(Engine engine);
    WebViewEngine::Callbacks callbacks();
    WebViewEngine* current() const;

    Engine engine_ = Engine::None;
    std::unique_ptr<WebViewEngine> text_;
    std::unique_ptr<WebViewEngine> page_;
    bool opaque_ = true;
    bool scrollEnabled_ = true;
    WeakDelegate<WebViewDelegate> delegate_;
};

}  // namespace tovera::platform::ui
