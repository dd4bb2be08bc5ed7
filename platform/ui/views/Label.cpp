#include "platform/ui/views/Label.h"

#include "platform/ui/views/Font.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include <climits>

#include <cmath>

namespace tovera::platform::ui {

namespace {

constexpr double kTabStop = 28;

QTextOption lineOption(Qt::Alignment alignment, QTextOption::WrapMode wrap) {
    QTextOption option(alignment | Qt::AlignVCenter);
    option.setWrapMode(wrap);
    option.setTabStopDistance(kTabStop);
    return option;
}

Qt::TextElideMode elideMode(Label::LineBreak mode) {
    switch (mode) {
        case Label::LineBreak::TruncateHead:
            return Qt::ElideLeft;
        case Label::LineBreak::TruncateMiddle:
            return Qt::ElideMiddle;
        case Label::LineBreak::TruncateTail:
        case Label::LineBreak::WordWrap:
        case Label::LineBreak::CharacterWrap:
            return Qt::ElideRight;
        case Label::LineBreak::Clip:
            return Qt::ElideNone;
    }
    return Qt::ElideRight;
}

}  // namespace

Label::Label(QWidget* parent) : Label(QRectF(), parent) {}

Label::Label(const QRectF& frame, QWidget* parent) : View(frame, parent), font_(Font::system(17)) {
    // A label only shows text: a tap on it belongs to what lies beneath (a
    // button under a cell's standard label, the cell itself), as on a phone.
    setUserInteractionEnabled(false);
}

void Label::changed() {
    laidOutWidth_ = -1;
    update();
}

void Label::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    changed();
}

void Label::setFont(const QFont& font) {
    font_ = font;
    changed();
}

void Label::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void Label::setHighlightedTextColor(const QColor& color) {
    highlightedTextColor_ = color;
    update();
}

void Label::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    update();
}

void Label::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void Label::setTextAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void Label::setNumberOfLines(int lines) {
    lines_ = std::max(0, lines);
    changed();
}

void Label::setLineBreakMode(LineBreak mode) {
    lineBreak_ = mode;
    changed();
}

void Label::setTextInsets(const EdgeInsets& insets) {
    insets_ = insets;
    changed();
}

void Label::setShadowColor(const QColor& color) {
    shadowColor_ = color;
    update();
}

void Label::setShadowOffset(const QPointF& offset) {
    shadowOffset_ = offset;
    update();
}

QList<Label::Line> Label::layoutLines(double width, double* height) const {
    QList<Line> lines;
    QString text = text_;
    text.replace("\r\n", "\n").replace('\r', '\n');
    const QFontMetricsF metrics(font_);
    const double lineHeight = metrics.lineSpacing();
    const bool wraps = lines_ != 1 && lineBreak_ != LineBreak::Clip &&
                       lineBreak_ != LineBreak::TruncateHead &&
                       lineBreak_ != LineBreak::TruncateMiddle;
    const int maxLines = lines_ == 0 ? INT_MAX : lines_;
    const QStringList paragraphs = text.split('\n');
    const auto wrap = lineBreak_ == LineBreak::CharacterWrap
                          ? QTextOption::WrapAnywhere
                          : QTextOption::WrapAtWordBoundaryOrAnywhere;

    // The text from paragraph p, character c to the end, on one line.
    auto rest = [&](qsizetype p, qsizetype c) {
        QStringList tail = paragraphs.mid(p);
        tail[0] = tail[0].mid(c);
        return tail.join(' ');
    };
    auto elided = [&](const QString& s) {
        const auto mode = elideMode(lineBreak_);
        return mode == Qt::ElideNone ? s : metrics.elidedText(s, mode, std::max(0.0, width));
    };

    for (qsizetype p = 0; p < paragraphs.size() && lines.size() < maxLines; ++p) {
        if (!wraps || width <= 0) {
            const bool last = lines.size() + 1 == maxLines && p + 1 < paragraphs.size();
            QString s = last ? rest(p, 0) : paragraphs[p];
            s = elided(s);
            lines.push_back({s, metrics.horizontalAdvance(s)});
            continue;
        }
        QTextLayout layout(paragraphs[p], font_);
        layout.setTextOption(lineOption(alignment_, wrap));
        layout.beginLayout();
        while (lines.size() < maxLines) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(width);
            const int start = line.textStart();
            const bool moreAfter =
                start + line.textLength() < paragraphs[p].size() || p + 1 < paragraphs.size();
            if (lines.size() + 1 == maxLines && moreAfter) {
                const QString s = elided(rest(p, start));
                lines.push_back({s, metrics.horizontalAdvance(s)});
                break;
            }
            lines.push_back({paragraphs[p].mid(start, line.textLength()), line.naturalTextWidth()});
        }
        layout.endLayout();
    }
    if (text.isEmpty()) lines.clear();
    if (height) *height = lines.size() * lineHeight;
    return lines;
}

QSizeF Label::sizeThatFits(const QSizeF& size) const {
    double height = 0;
    const double across = insets_.left + insets_.right;
    const double width = size.width() > 0 ? std::max(0.0, size.width() - across) : 1e6;
    const QList<Line> lines = layoutLines(width, &height);
    double widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, line.width);
    return QSizeF(std::ceil(std::min(widest, width) + across),
                  std::ceil(height + insets_.top + insets_.bottom));
}

void Label::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (text_.isEmpty()) return;
    const QRectF b = insets_.inset(bounds());
    if (laidOutWidth_ != b.width()) {
        laidOut_ = layoutLines(b.width(), &laidOutHeight_);
        laidOutWidth_ = b.width();
    }
    const QFontMetricsF metrics(font_);
    const double lineHeight = metrics.lineSpacing();
    // Only whole lines that fit the height are drawn (at least one).
    const int fitting = std::max(1, int((b.height() + 0.5) / lineHeight));
    const int count = std::min<int>(fitting, int(laidOut_.size()));
    double y = b.top() + (b.height() - count * lineHeight) / 2;

    QPainter painter(this);
    painter.setFont(font_);
    QColor color =
        highlighted_ && highlightedTextColor_.isValid() ? highlightedTextColor_ : textColor_;
    if (!enabled_) color = QColor(0x99, 0x99, 0x99);
    const QTextOption option = lineOption(alignment_, QTextOption::NoWrap);
    for (int i = 0; i < count; ++i, y += lineHeight) {
        QRectF lineRect(b.left(), y, b.width(), lineHeight);
        QString s = laidOut_[i].text;
        // The last drawn line of a text cut by the height ends in "...".
        if (i == count - 1 && count < laidOut_.size())
            s = metrics.elidedText(s + QStringLiteral("…"), Qt::ElideRight, b.width());
        if (shadowColor_.isValid() && shadowColor_.alpha() > 0 && !highlighted_) {
            painter.setPen(shadowColor_);
            painter.drawText(lineRect.translated(shadowOffset_), s, option);
        }
        painter.setPen(color);
        painter.drawText(lineRect, s, option);
    }
}

}  // namespace tovera::platform::ui
