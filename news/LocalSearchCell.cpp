#include "news/LocalSearchCell.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

#include "platform/ui/views/Font.h"

namespace tovera {

using platform::ui::Font;
using platform::ui::View;

namespace {

// A text of a few lines whose matches are drawn in the mark colour on a
// light background.
class MarkedText : public View {
public:
    MarkedText(const QRectF& frame, QFont font, int lines, QWidget* parent)
        : View(frame, parent), font_(std::move(font)), lines_(lines) {}

    void setText(const QString& text, const QStringList& words) {
        text_ = text;
        ranges_.clear();
        for (const QString& word : words) {
            for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
                 at = text.indexOf(word, at + word.size(), Qt::CaseInsensitive))
                ranges_.push_back({int(at), int(word.size())});
        }
        std::sort(ranges_.begin(), ranges_.end(),
                  [](const Range& a, const Range& b) { return a.start < b.start; });
        update();
    }
    QString visibleText() const override { return text_; }
    QStringList marked() const {
        QStringList out;
        for (const Range& r : ranges_)
            out << text_.mid(r.start, r.length);
        return out;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QTextLayout layout(text_, font_);
        QList<QTextLayout::FormatRange> formats;
        for (const Range& r : ranges_) {
            QTextLayout::FormatRange format;
            format.start = r.start;
            format.length = r.length;
            format.format.setForeground(QColor(0xC0, 0x20, 0x20));
            format.format.setBackground(QColor(0xFF, 0xF0, 0xB0));
            formats << format;
        }
        layout.setFormats(formats);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        double y = 0;
        for (int i = 0; i < lines_; ++i) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        painter.setPen(palette().color(QPalette::WindowText));
        layout.draw(&painter, QPointF(0, 0));
    }

private:
    struct Range {
        int start;
        int length;
    };
    QFont font_;
    int lines_;
    QString text_;
    std::vector<Range> ranges_;
};

MarkedText* titleOf(const LocalSearchCell* cell) {
    return cell->contentView()->findChild<MarkedText*>(QStringLiteral("title"));
}
MarkedText* snippetOf(const LocalSearchCell* cell) {
    return cell->contentView()->findChild<MarkedText*>(QStringLiteral("snippet"));
}

}  // namespace

LocalSearchCell::LocalSearchCell(QWidget* parent)
    : TableViewCell(Style::Default, QStringLiteral("LocalSearchCell"), parent) {
    auto* title = new MarkedText(QRectF(10, 6, 300, 20), Font::boldSystem(15), 1, contentView());
    title->setObjectName(QStringLiteral("title"));
    auto* snippet = new MarkedText(QRectF(10, 28, 300, 32), Font::system(12), 2, contentView());
    snippet->setObjectName(QStringLiteral("snippet"));
    QPalette grey = snippet->palette();
    grey.setColor(QPalette::WindowText, QColor(0x66, 0x66, 0x66));
    snippet->setPalette(grey);
}

void LocalSearchCell::setResult(const QString& title, const QString& snippet,
                                const QStringList& words) {
    titleOf(this)->setText(title, words);
    snippetOf(this)->setText(snippet, words);
}

QString LocalSearchCell::title() const {
    return titleOf(this)->visibleText();
}

QString LocalSearchCell::snippet() const {
    return snippetOf(this)->visibleText();
}

QStringList LocalSearchCell::marked() const {
    return titleOf(this)->marked() + snippetOf(this)->marked();
}

}  // namespace tovera
