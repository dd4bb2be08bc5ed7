// A button: title, title colour, image and background image per state
// (normal, highlighted, selected, disabled; a state without its own value
// shows the normal one), a title label and an image view that are real
// subviews with their own tags, and touch-up-inside as its action.
#pragma once

#include "platform/ui/views/Control.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

#include <QMap>

namespace tovera::platform::ui {

class Button : public Control {
    Q_OBJECT
public:
    enum class Type { Custom, RoundedRect, DetailDisclosure, InfoLight, ContactAdd };
    enum State : unsigned { Normal = 0, Highlighted = 1, Disabled = 2, Selected = 4 };

    explicit Button(QWidget* parent = nullptr);
    explicit Button(const QRectF& frame, QWidget* parent = nullptr);
    /// A button of a standard type; the disclosure and info types take their
    /// standard size.
    static Button* withType(Type type, QWidget* parent = nullptr);

    Type buttonType() const { return type_; }

    void setTitle(const QString& title, unsigned state = Normal);
    QString titleForState(unsigned state) const;
    void setTitleColor(const QColor& color, unsigned state = Normal);
    QColor titleColorForState(unsigned state) const;
    void setTitleShadowColor(const QColor& color, unsigned state = Normal);
    void setImage(const Image& image, unsigned state = Normal);
    Image imageForState(unsigned state) const;
    void setBackgroundImage(const Image& image, unsigned state = Normal);
    Image backgroundImageForState(unsigned state) const;

    /// What the button shows now.
    QString currentTitle() const { return titleForState(state()); }
    Image currentImage() const { return imageForState(state()); }
    unsigned state() const;

    /// The label that shows the title; its tag is free for the screen.
    Label* titleLabel() const { return titleLabel_; }
    /// The view that shows the image; its tag is free for the screen.
    ImageView* imageView() const { return imageView_; }

    void setFont(const QFont& font);
    EdgeInsets contentEdgeInsets() const { return contentInsets_; }
    void setContentEdgeInsets(const EdgeInsets& insets);
    void setTitleEdgeInsets(const EdgeInsets& insets);
    void setImageEdgeInsets(const EdgeInsets& insets);
    /// Darkens image and background while pressed (default on).
    void setAdjustsImageWhenHighlighted(bool adjusts);

    QSizeF sizeThatFits(const QSizeF& size) const override;
    QString visibleText() const override { return currentTitle(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;
    void stateChanged() override;

private:
    template <typename T>
    T lookup(const QMap<unsigned, T>& map, unsigned state) const;
    void refreshContent();
    QSizeF contentSize(QSizeF* titleSize, QSizeF* imageSize) const;
    void paintStandard(QPainter& painter);

    Type type_ = Type::Custom;
    QMap<unsigned, QString> titles_;
    QMap<unsigned, QColor> titleColors_;
    QMap<unsigned, QColor> shadowColors_;
    QMap<unsigned, Image> images_;
    QMap<unsigned, Image> backgrounds_;
    Label* titleLabel_ = nullptr;
    ImageView* imageView_ = nullptr;
    EdgeInsets contentInsets_;
    EdgeInsets titleInsets_;
    EdgeInsets imageInsets_;
    bool adjustsImage_ = true;
};

}  // namespace tovera::platform::ui
