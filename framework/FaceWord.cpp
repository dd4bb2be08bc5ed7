#include "framework/FaceWord.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

#include "platform/ui/views/Font.h"

namespace tovera {

using platform::ui::Image;

namespace {

constexpr double kTextSize = 14;
constexpr double kRightMargin = 20;
constexpr int kLongestName = 32;

// Names that may stand for an asset: letters, digits and "_" only, so a
// bracketed text can never name a path.
bool isAssetName(const QString& name) {
    if (name.isEmpty() || name.size() > kLongestName) return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 128) || c == u'_';
    });
}

void appendText(QList<FaceWord::Run>& runs, const QString& text) {
    if (text.isEmpty()) return;
    if (!runs.isEmpty() && !runs.back().picture)
        runs.back().text += text;
    else
        runs.append({text, false, {}});
}

// The lines of `text` wrapped by words (or anywhere) within `width`.
QList<QString> wrapLines(const QString& text, const QFont& font, double width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<QString> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1.0, width));
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

}  // namespace

FaceWord::FaceWord(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

QFont FaceWord::textFont() {
    return platform::ui::Font::system(kTextSize);
}

QList<FaceWord::Run> FaceWord::splitRuns(const QString& text,
                                         const std::function<Image(const QString&)>& assetFor) {
    QList<Run> runs;
    qsizetype plainStart = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'[') {
            ++i;
            continue;
        }
        const qsizetype close = text.indexOf(u']', i + 1);
        if (close < 0) break;
        const QString name = text.mid(i + 1, close - i - 1);
        const QString asset = name.toLower() + QStringLiteral(".png");
        const Image image = isAssetName(name) ? assetFor(asset) : Image();
        if (image.isNull()) {
            ++i;  // an unknown code is text; a "[" inside it may start a real one
            continue;
        }
        appendText(runs, text.mid(plainStart, i - plainStart));
        runs.append({asset, true, image});
        i = close + 1;
        plainStart = i;
    }
    appendText(runs, text.mid(plainStart));
    return runs;
}

void FaceWord::setContentStr(const QString& text) {
    faceWord_ = splitRuns(text, [](const QString& asset) { return Image::named(asset); });
    update();
}

QList<FaceWord::Placed> FaceWord::layout(double width, double* height) const {
    const QFont font = textFont();
    const QFontMetricsF metrics(font);
    const double charWidth = metrics.horizontalAdvance(QStringLiteral("中"));
    const double usable = width - kRightMargin;
    double lineHeight = metrics.height() + 2;
    double x = 1;
    double y = 0;
    QList<Placed> placed;

    auto newLine = [&] {
        y += lineHeight;
        x = 1;
    };
    for (const Run& run : faceWord_) {
        if (run.picture) {
            const QSizeF size = run.image.size();
            lineHeight = std::max(lineHeight, size.height() + 2);
            if (x + size.width() > usable) newLine();
            placed.append({QRectF(QPointF(x, y), size), {}, run.image});
            x += size.width() + 1;
            continue;
        }
        QString text = run.text;
        const double remaining = usable - x;
        if (metrics.horizontalAdvance(text) > remaining) {
            // What fits stays on this line; with less than a character's
            // room left the whole run starts on the next line.
            const int fits = int(remaining / charWidth) - 1;
            if (fits > 0) {
                const QString head = text.left(fits);
                placed.append(
                    {QRectF(x, y, metrics.horizontalAdvance(head), lineHeight), head, {}});
                text = text.mid(fits);
            }
            newLine();
        }
        const QList<QString> lines = wrapLines(text, font, usable - x + 1);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0) newLine();
            const double w = metrics.horizontalAdvance(lines[k]);
            placed.append({QRectF(x, y, w, lineHeight), lines[k], {}});
            if (k + 1 == lines.size()) x += w + 1;
        }
    }
    if (height) *height = y + lineHeight + 2;
    return placed;
}

void FaceWord::measure(const QPointF& origin, double width) {
    double height = 0;
    layout(width, &height);
    setFrame(QRectF(origin, QSizeF(width, height)));
    update();
}

void FaceWord::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setFont(textFont());
    painter.setPen(Qt::black);
    for (const Placed& piece : layout(bounds().width())) {
        if (piece.text.isEmpty())
            piece.image.draw(painter, piece.rect);
        else
            painter.drawText(piece.rect, Qt::AlignLeft | Qt::AlignVCenter, piece.text);
    }
}

}  // namespace tovera
