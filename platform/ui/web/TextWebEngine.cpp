#include "platform/ui/web/TextWebEngine.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QWheelEvent>

namespace tovera::platform::ui {

namespace {

constexpr qint64 kMaxResourceBytes = 8 * 1024 * 1024;

// Qt's HTML reader drops the whole body when a <link> stands between <html>
// and <body> without a <head> around it (as the comment pages are written):
// such links are put into a head.
QString withHeadAroundLinks(QString html) {
    const auto ci = Qt::CaseInsensitive;
    if (html.contains(QLatin1String("<head"), ci)) return html;
    const qsizetype link = html.indexOf(QLatin1String("<link"), 0, ci);
    const qsizetype body = html.indexOf(QLatin1String("<body"), 0, ci);
    if (link < 0 || body < link) return html;
    const qsizetype htmlTag = html.indexOf(QLatin1String("<html"), 0, ci);
    qsizetype start = 0;
    if (htmlTag >= 0 && htmlTag < link) start = html.indexOf('>', htmlTag) + 1;
    html.insert(body, QLatin1String("</head>"));
    html.insert(start, QLatin1String("<head>"));
    return html;
}

}  // namespace

TextWebEngine::TextWebEngine(QWidget* parent, Callbacks callbacks)
    : QTextBrowser(parent), callbacks_(std::move(callbacks)) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Links react to the mouse; text is not selected by dragging, so a drag
    // over the text scrolls whatever holds it.
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    document()->setDocumentMargin(8);
    connect(this, &QTextBrowser::anchorClicked, this, &TextWebEngine::linkClicked);
}

void TextWebEngine::setTransparent(bool transparent) {
    setAttribute(Qt::WA_TranslucentBackground, transparent);
    viewport()->setAutoFillBackground(!transparent);
    setStyleSheet(transparent ? QStringLiteral("QTextBrowser { background: transparent; }")
                              : QString());
}

void TextWebEngine::loadHtml(const QString& html, const QUrl& baseUrl) {
    ++generation_;
    pending_ = 0;
    loading_ = true;
    baseUrl_ = baseUrl;
    html_ = html;
    if (callbacks_.didStart) callbacks_.didStart();
    document()->clear();
    document()->setBaseUrl(baseUrl);
    setHtml(withHeadAroundLinks(html));
    // Laying the document out asks for every resource it uses now.
    document()->setTextWidth(viewport()->width());
    document()->documentLayout()->documentSize();
    finishWhenReady();
}

void TextWebEngine::loadUrl(const QUrl& url) {
    if (callbacks_.navigate) callbacks_.navigate(url);
}

void TextWebEngine::reload() {
    loadHtml(html_, baseUrl_);
}

void TextWebEngine::stop() {
    ++generation_;
    pending_ = 0;
    loading_ = false;
}

double TextWebEngine::contentHeight() const {
    return document()->documentLayout()->documentSize().height();
}

void TextWebEngine::runScript(const QString&,
                              std::function<void(const std::optional<QString>&)> done) {
    if (!done) return;
    // This engine runs no scripts; the answer comes later, as from a page.
    QMetaObject::invokeMethod(
        const_cast<TextWebEngine*>(this), [done] { done(std::nullopt); }, Qt::QueuedConnection);
}

void TextWebEngine::finishWhenReady() {
    if (!loading_ || pending_ > 0) return;
    const unsigned generation = generation_;
    QPointer<TextWebEngine> guard(this);
    QMetaObject::invokeMethod(
        this,
        [guard, generation] {
            if (!guard || guard->generation_ != generation || !guard->loading_ ||
                guard->pending_ > 0)
                return;
            guard->loading_ = false;
            if (guard->callbacks_.didFinish) guard->callbacks_.didFinish();
        },
        Qt::QueuedConnection);
}

bool TextWebEngine::isAllowedLocalFile(const QUrl& url) const {
    if (!url.isLocalFile() || !baseUrl_.isLocalFile()) return false;
    QString baseDir = baseUrl_.toLocalFile();
    if (!QFileInfo(baseDir).isDir()) baseDir = QFileInfo(baseDir).absolutePath();
    const QString root = QFileInfo(baseDir).canonicalFilePath();
    const QString file = QFileInfo(url.toLocalFile()).canonicalFilePath();
    return !root.isEmpty() && !file.isEmpty() && file.startsWith(root + QDir::separator());
}

QVariant TextWebEngine::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.isRelative()) {
        QUrl base = baseUrl_;
        // A base naming a directory resolves relative names inside it.
        if (base.isLocalFile() && QFileInfo(base.toLocalFile()).isDir() &&
            !base.path().endsWith('/'))
            base.setPath(base.path() + '/');
        url = base.resolved(name);
    }
    if (url.isLocalFile()) {
        // Shipped pictures exist at double density only ("face3@2x.png"); a
        // page naming "face3.png" gets that one, drawn at its point size.
        bool doubled = false;
        if (type == QTextDocument::ImageResource && !QFileInfo::exists(url.toLocalFile())) {
            const QFileInfo plain(url.toLocalFile());
            const QString dense =
                plain.path() + '/' + plain.completeBaseName() + "@2x." + plain.suffix();
            doubled = QFileInfo::exists(dense);
            if (doubled) url = QUrl::fromLocalFile(dense);
        }
        if (!isAllowedLocalFile(url)) return {};
        QFile file(url.toLocalFile());
        if (file.size() > kMaxResourceBytes || !file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(bytes);
        if (type == QTextDocument::ImageResource) {
            QImage image = QImage::fromData(bytes);
            if (doubled) image.setDevicePixelRatio(2);
            return image;
        }
        return bytes;
    }
    const QString scheme = url.scheme().toLower();
    if (type != QTextDocument::ImageResource || (scheme != "http" && scheme != "https") ||
        !callbacks_.loadPicture)
        return {};
    // A picture by address: a blank stands in until the loader delivers it.
    ++pending_;
    const unsigned generation = generation_;
    QPointer<TextWebEngine> guard(this);
    callbacks_.loadPicture(url, [guard, generation, name](const QImage& image) {
        if (!guard) return;
        // Never inside the layout that asked for it: the document changes.
        QMetaObject::invokeMethod(
            guard.data(),
            [guard, generation, name, image] {
                if (!guard || guard->generation_ != generation) return;
                guard->pending_ = std::max(0, guard->pending_ - 1);
                if (!image.isNull()) {
                    QTextDocument* doc = guard->document();
                    doc->addResource(QTextDocument::ImageResource, name, image);
                    doc->markContentsDirty(0, doc->characterCount());
                    doc->documentLayout()->documentSize();
                    guard->viewport()->update();
                }
                guard->finishWhenReady();
            },
            Qt::QueuedConnection);
    });
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    document()->addResource(QTextDocument::ImageResource, name, blank);
    return blank;
}

void TextWebEngine::linkClicked(const QUrl& link) {
    const QUrl url = link.isRelative() ? baseUrl_.resolved(link) : link;
    if (callbacks_.shouldStart && !callbacks_.shouldStart(url, NavigationType::LinkClicked)) return;
    if (!link.fragment().isEmpty() && link.path().isEmpty()) {
        scrollToAnchor(link.fragment());
        return;
    }
    if (callbacks_.navigate) callbacks_.navigate(url);
}

void TextWebEngine::wheelEvent(QWheelEvent* event) {
    // Content that fits (or may not scroll) leaves the wheel to what holds it.
    if (!scrollEnabled_ || verticalScrollBar()->maximum() <= 0) {
        event->ignore();
        return;
    }
    QTextBrowser::wheelEvent(event);
}

void TextWebEngine::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    document()->setTextWidth(viewport()->width());
}

}  // namespace tovera::platform::ui
