#include "platform/ui/web/TextWebEngine.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QWheelEvent>

#include <vector>

namespace tovera::platform::ui {

namespace {

constexpr qint64 kMaxResourceBytes = 8 * 1024 * 1024;
constexpr QSize kPlaceholderSize(80, 60);

// The size a picture's tag asked for (0 where it named none), kept on the
// picture's format before the engine sets a size of its own.
constexpr int kAskedWidth = QTextFormat::UserProperty + 1;
constexpr int kAskedHeight = QTextFormat::UserProperty + 2;

QImage greyBox() {
    QImage box(kPlaceholderSize, QImage::Format_ARGB32_Premultiplied);
    box.fill(QColor(0xee, 0xee, 0xee));
    QPainter painter(&box);
    painter.setPen(QColor(0xcc, 0xcc, 0xcc));
    painter.drawRect(box.rect().adjusted(0, 0, -1, -1));
    return box;
}

// The drawn size of a picture of `natural` size whose tag asked for
// `asked` (0 where unset), no wider than `room`.
QSizeF fittedSize(QSizeF natural, QSizeF asked, double room) {
    if (natural.isEmpty()) return asked;
    double width = asked.width();
    double height = asked.height();
    if (width <= 0)
        width = height > 0 ? height * natural.width() / natural.height() : natural.width();
    if (height <= 0) height = width * natural.height() / natural.width();
    if (room > 0 && width > room) {
        height *= room / width;
        width = room;
    }
    return {width, height};
}

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
    document()->setUndoRedoEnabled(false);
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
    placeholders_.clear();
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
    fitPictures();
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
    // A picture by address: a placeholder stands in until the loader
    // delivers it, and stays where it cannot be loaded.
    ++pending_;
    placeholders_.insert(name.toString());
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
                QTextDocument* doc = guard->document();
                if (image.isNull()) {
                    doc->addResource(QTextDocument::ImageResource, name, guard->placeholder(false));
                } else {
                    guard->placeholders_.remove(name.toString());
                    doc->addResource(QTextDocument::ImageResource, name, image);
                }
                guard->fitPictures();
                doc->markContentsDirty(0, doc->characterCount());
                doc->documentLayout()->documentSize();
                guard->viewport()->update();
                guard->finishWhenReady();
            },
            Qt::QueuedConnection);
    });
    const QImage loading = placeholder(true);
    document()->addResource(QTextDocument::ImageResource, name, loading);
    return loading;
}

QImage TextWebEngine::placeholder(bool loading) const {
    const QImage& given = loading ? callbacks_.loadingPicture : callbacks_.missingPicture;
    if (!given.isNull()) return given;
    static const QImage box = greyBox();
    return box;
}

void TextWebEngine::fitPictures() {
    QTextDocument* doc = document();
    const QTextFrameFormat page = doc->rootFrame()->frameFormat();
    const double pageRoom =
        doc->textWidth() - 2 * doc->documentMargin() - page.leftMargin() - page.rightMargin();
    struct Change {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Change> changes;
    std::vector<QTextBlock> pictureBlocks;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        bool onlyPictures = true;
        bool anyPicture = false;
        // The width the layout gives the paragraph's lines (inside the
        // page's and the paragraph's margins), once it is laid out.
        const QTextLayout* lines = block.layout();
        const double room = lines && lines->lineCount() > 0 ? lines->lineAt(0).width() : pageRoom;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                onlyPictures = onlyPictures && fragment.text().trimmed().isEmpty();
                continue;
            }
            anyPicture = true;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.hasProperty(kAskedWidth)) {
                format.setProperty(kAskedWidth, format.hasProperty(QTextFormat::ImageWidth)
                                                    ? format.width()
                                                    : 0.0);
                format.setProperty(kAskedHeight, format.hasProperty(QTextFormat::ImageHeight)
                                                     ? format.height()
                                                     : 0.0);
            }
            const QUrl url = doc->baseUrl().resolved(QUrl(format.name()));
            const QImage picture = doc->resource(QTextDocument::ImageResource, url).value<QImage>();
            const QSizeF natural = picture.deviceIndependentSize();
            const QSizeF size = placeholders_.contains(url.toString())
                                    ? natural
                                    : fittedSize(natural,
                                                 {format.doubleProperty(kAskedWidth),
                                                  format.doubleProperty(kAskedHeight)},
                                                 room);
            if (size.isEmpty() ||
                (format.width() == size.width() && format.height() == size.height() &&
                 fragment.charFormat().hasProperty(kAskedWidth)))
                continue;
            format.setWidth(size.width());
            format.setHeight(size.height());
            changes.push_back({fragment.position(), fragment.length(), format});
        }
        if (anyPicture && onlyPictures) pictureBlocks.push_back(block);
    }
    for (const Change& change : changes) {
        QTextCursor cursor(doc);
        cursor.setPosition(change.position);
        cursor.setPosition(change.position + change.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.format);
    }
    // A line height given in proportion to the text ("line-height: 1.7")
    // would add most of a picture's height again under a paragraph that
    // holds only pictures.
    for (const QTextBlock& block : pictureBlocks) {
        if (block.blockFormat().lineHeightType() != QTextBlockFormat::ProportionalHeight ||
            block.blockFormat().lineHeight() == 100)
            continue;
        QTextBlockFormat single;
        single.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
        QTextCursor(block).mergeBlockFormat(single);
    }
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
    // Pictures are fitted to the paragraphs' widths as laid out anew.
    document()->documentLayout()->documentSize();
    fitPictures();
}

}  // namespace tovera::platform::ui
