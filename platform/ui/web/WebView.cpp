#include "platform/ui/web/WebView.h"

#include "platform/Log.h"
#include "platform/ui/web/TextWebEngine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

namespace tovera::platform::ui {

namespace {

WebView::PictureLoader& pictureLoader() {
    static WebView::PictureLoader loader;
    return loader;
}

struct Placeholders {
    QImage loading;
    QImage missing;
};

Placeholders& placeholders() {
    static Placeholders pictures;
    return pictures;
}

QString& modulePath() {
    static QString path;
    return path;
}

// Finds and loads the page engine module once; null when it is missing.
CreatePageEngine pageEngineFactory() {
    static CreatePageEngine factory = nullptr;
    static bool tried = false;
    if (tried) return factory;
    tried = true;
    QStringList candidates;
    if (!modulePath().isEmpty()) candidates << modulePath();
    if (qEnvironmentVariableIsSet("TOVERA_WEBPAGE_MODULE"))
        candidates << qEnvironmentVariable("TOVERA_WEBPAGE_MODULE");
    candidates << QCoreApplication::applicationDirPath() + "/libtovera_webpage.so";
#ifdef TOVERA_WEBPAGE_MODULE
    candidates << QStringLiteral(TOVERA_WEBPAGE_MODULE);
#endif
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) continue;
        QLibrary library(path);
        if (!library.load()) {
            logLine("web page module did not load: " + library.errorString().toStdString());
            continue;
        }
        factory = reinterpret_cast<CreatePageEngine>(library.resolve("tovera_create_page_engine"));
        if (factory) break;
    }
    if (!factory) logLine("web page module not found; pages by address cannot be shown");
    return factory;
}

}  // namespace

WebView::WebView(QWidget* parent) : WebView(QRectF(), parent) {}

WebView::WebView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::white);
}

// The engines are this view's child widgets; they go (as members) before
// the view's own children are deleted.
WebView::~WebView() = default;

void WebView::setPictureLoader(PictureLoader loader) {
    pictureLoader() = std::move(loader);
}

void WebView::setPicturePlaceholders(const QImage& loading, const QImage& missing) {
    placeholders() = {loading, missing};
}

void WebView::setPageModulePath(const QString& path) {
    modulePath() = path;
}

WebViewEngine::Callbacks WebView::callbacks() {
    WebViewEngine::Callbacks c;
    QPointer<WebView> guard(this);
    c.shouldStart = [guard](const QUrl& url, NavigationType type) {
        if (!guard) return false;
        auto* d = guard->delegate_.get();
        return !d || d->shouldStartLoadWithRequest(guard, url, type);
    };
    c.didStart = [guard] {
        if (guard)
            if (auto* d = guard->delegate_.get()) d->webViewDidStartLoad(guard);
    };
    c.didFinish = [guard] {
        if (guard)
            if (auto* d = guard->delegate_.get()) d->webViewDidFinishLoad(guard);
    };
    c.didFail = [guard](const QString& message) {
        if (guard)
            if (auto* d = guard->delegate_.get()) d->didFailLoadWithError(guard, message);
    };
    c.navigate = [guard](const QUrl& url) {
        if (guard) guard->loadRequest(url);
    };
    c.loadPicture = [](const QUrl& url, WebViewEngine::PictureDone done) {
        if (pictureLoader())
            pictureLoader()(url, std::move(done));
        else
            done(QImage());
    };
    c.loadingPicture = placeholders().loading;
    c.missingPicture = placeholders().missing;
    return c;
}

WebViewEngine* WebView::current() const {
    switch (engine_) {
        case Engine::Text:
            return text_.get();
        case Engine::Page:
            return page_.get();
        case Engine::None:
            break;
    }
    return nullptr;
}

WebViewEngine* WebView::useEngine(Engine engine) {
    std::unique_ptr<WebViewEngine>& slot = engine == Engine::Text ? text_ : page_;
    if (!slot) {
        if (engine == Engine::Text) {
            slot = std::make_unique<TextWebEngine>(this, callbacks());
        } else if (CreatePageEngine factory = pageEngineFactory()) {
            slot.reset(factory(this, callbacks()));
        }
        if (!slot) return nullptr;
        slot->setTransparent(!opaque_);
        slot->setScrollEnabled(scrollEnabled_);
    }
    if (engine_ != engine) {
        if (WebViewEngine* old = current()) old->widget()->hide();
        engine_ = engine;
    }
    slot->widget()->setGeometry(QRect(QPoint(0, 0), frame().size().toSize()));
    slot->widget()->show();
    return slot.get();
}

void WebView::loadHTMLString(const QString& html, const QUrl& baseUrl) {
    useEngine(Engine::Text)->loadHtml(html, baseUrl);
}

void WebView::loadRequest(const QUrl& url) {
    // The page engine asks the delegate before it navigates.
    WebViewEngine* engine = useEngine(Engine::Page);
    if (!engine) {
        if (auto* d = delegate_.get())
            d->didFailLoadWithError(this, "pages by address are not available");
        return;
    }
    engine->loadUrl(url);
}

void WebView::reload() {
    if (WebViewEngine* e = current()) e->reload();
}

void WebView::stopLoading() {
    if (WebViewEngine* e = current()) e->stop();
}

bool WebView::isLoading() const {
    WebViewEngine* e = current();
    return e && e->isLoading();
}

QUrl WebView::url() const {
    WebViewEngine* e = current();
    return e ? e->url() : QUrl();
}

bool WebView::canGoBack() const {
    WebViewEngine* e = current();
    return e && e->canGoBack();
}

void WebView::goBack() {
    if (WebViewEngine* e = current()) e->goBack();
}

bool WebView::canGoForward() const {
    WebViewEngine* e = current();
    return e && e->canGoForward();
}

void WebView::goForward() {
    if (WebViewEngine* e = current()) e->goForward();
}

void WebView::evaluateJavaScript(const QString& script,
                                 std::function<void(const std::optional<QString>&)> done) {
    QPointer<WebView> guard(this);
    auto guarded = [guard, done](const std::optional<QString>& result) {
        if (guard && done) done(result);
    };
    if (WebViewEngine* e = current()) {
        e->runScript(script, guarded);
        return;
    }
    QMetaObject::invokeMethod(
        this, [guarded] { guarded(std::nullopt); }, Qt::QueuedConnection);
}

double WebView::contentHeight() const {
    WebViewEngine* e = current();
    return e ? e->contentHeight() : 0;
}

void WebView::setOpaque(bool opaque) {
    opaque_ = opaque;
    setBackgroundColor(opaque ? QColor(Qt::white) : QColor(Qt::transparent));
    for (auto* engine : {text_.get(), page_.get()})
        if (engine) engine->setTransparent(!opaque);
}

void WebView::setScrollEnabled(bool enabled) {
    scrollEnabled_ = enabled;
    for (auto* engine : {text_.get(), page_.get()})
        if (engine) engine->setScrollEnabled(enabled);
}

QString WebView::visibleText() const {
    WebViewEngine* e = current();
    return e ? e->plainText() : QString();
}

void WebView::layoutSubviews() {
    for (auto* engine : {text_.get(), page_.get()})
        if (engine) engine->widget()->setGeometry(QRect(QPoint(0, 0), frame().size().toSize()));
}

}  // namespace tovera::platform::ui
