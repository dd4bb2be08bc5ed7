// A read-only text: one line by default (cut off with "..."), or wrapped by
// words within its width up to a number of lines (0: as many as needed),
// vertically centred in its bounds like a phone label. Taps go through it
// to the views beneath unless user interaction is turned on.
#pragma once

#include "platform/ui/views/View.h"

#include <QFont>
#include <QString>
#include <QTextLayout>

namespace tovera::platform::ui {

class Label : public View {
    Q_OBJECT
public:
    enum class LineBreak {
        WordWrap,
        CharacterWrap,
        Clip,
        TruncateHead,
        TruncateTail,
        TruncateMiddle
    };

    explicit Label(QWidget* parent = nullptr);
    explicit Label(const QRectF& frame, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    QFont font() const { return font_; }
    void setFont(const QFont& font);

    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    /// Used instead of the text colour while highlighted (a selected cell).
    QColor highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(const QColor& color);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    /// A disabled label draws its text grey.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    /// Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    Qt::Alignment textAlignment() const { return alignment_; }
    void setTextAlignment(Qt::Alignment alignment);

    int numberOfLines() const { return lines_; }
    void setNumberOfLines(int lines);
    LineBreak lineBreakMode() const { return lineBreak_; }
    void setLineBreakMode(LineBreak mode);

    /// Room kept free between the bounds and the text (none by default).
    EdgeInsets textInsets() const { return insets_; }
    void setTextInsets(const EdgeInsets& insets);

    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& color);
    QPointF shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(const QPointF& offset);

    /// The size the text needs when wrapped within `size.width()` (height
    /// limited by the number of lines, never by `size.height()`).
    QSizeF sizeThatFits(const QSizeF& size) const override;
    QString visibleText() const override { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override { laidOutWidth_ = -1; }

private:
    struct Line {
        QString text;  // as drawn (elided when cut off)
        double width;
    };
    QList<Line> layoutLines(double width, double* height) const;
    void changed();

    QString text_;
    QFont font_;
    QColor textColor_ = Qt::black;
    QColor highlightedTextColor_;
    QColor shadowColor_;
    QPointF shadowOffset_{0, -1};
    Qt::Alignment alignment_ = Qt::AlignLeft;
    EdgeInsets insets_;
    int lines_ = 1;
    LineBreak lineBreak_ = LineBreak::TruncateTail;
    bool highlighted_ = false;
    bool enabled_ = true;

    // The last layout, reused while text, font and width stay the same.
    mutable double laidOutWidth_ = -1;
    mutable double laidOutHeight_ = 0;
    mutable QList<Line> laidOut_;
};

}  // namespace tovera::platform::ui
