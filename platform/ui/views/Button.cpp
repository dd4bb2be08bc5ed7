#include "platform/ui/views/Button.h"

#include "platform/ui/views/Font.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

namespace {

const QColor kStandardTitle(50, 79, 133);
const QColor kStandardBlue(36, 112, 216);

}  // namespace

Button::Button(QWidget* parent) : Button(QRectF(), parent) {}

Button::Button(const QRectF& frame, QWidget* parent) : Control(frame, parent) {
    imageView_ = new ImageView(this);
    imageView_->setContentMode(ContentMode::ScaleAspectFit);
    imageView_->hide();
    titleLabel_ = new Label(this);
    titleLabel_->setFont(Font::system(15));
    titleLabel_->setTextColor(Qt::white);
    titleLabel_->hide();
    refreshContent();
}

Button* Button::withType(Type type, QWidget* parent) {
    auto* button = new Button(parent);
    button->type_ = type;
    switch (type) {
        case Type::RoundedRect:
            button->titleLabel_->setFont(Font::boldSystem(15));
            button->setTitleColor(kStandardTitle);
            button->setTitleColor(Qt::white, Highlighted);
            break;
        case Type::DetailDisclosure:
        case Type::InfoLight:
        case Type::ContactAdd:
            button->setFrame(QRectF(0, 0, 29, 31));
            // Drawn symbols: a reader says what they do.
            button->setAccessibleName(type == Type::DetailDisclosure ? QStringLiteral("详情")
                                      : type == Type::InfoLight      ? QStringLiteral("信息")
                                                                     : QStringLiteral("添加"));
            break;
        case Type::Custom:
            break;
    }
    button->refreshContent();
    return button;
}

unsigned Button::state() const {
    unsigned s = Normal;
    if (!isEnabled()) s |= Disabled;
    if (isSelected()) s |= Selected;
    if (isHighlighted()) s |= Highlighted;
    return s;
}

template <typename T>
T Button::lookup(const QMap<unsigned, T>& map, unsigned state) const {
    QList<unsigned> order{state};
    if (state & Selected) order << (state & ~Highlighted) << Selected;
    if (state & Disabled) order << Disabled;
    if (state & Highlighted) order << Highlighted;
    order << Normal;
    for (unsigned s : order) {
        auto it = map.find(s);
        if (it != map.end()) return *it;
    }
    return T();
}

void Button::setTitle(const QString& title, unsigned state) {
    titles_[state] = title;
    refreshContent();
}

QString Button::titleForState(unsigned state) const {
    return lookup(titles_, state);
}

void Button::setTitleColor(const QColor& color, unsigned state) {
    titleColors_[state] = color;
    refreshContent();
}

QColor Button::titleColorForState(unsigned state) const {
    QColor color = lookup(titleColors_, state);
    if (!color.isValid()) color = Qt::white;
    if ((state & Disabled) && !titleColors_.contains(Disabled)) color.setAlphaF(0.45f);
    return color;
}

void Button::setTitleShadowColor(const QColor& color, unsigned state) {
    shadowColors_[state] = color;
    refreshContent();
}

void Button::setImage(const Image& image, unsigned state) {
    images_[state] = image;
    refreshContent();
}

Image Button::imageForState(unsigned state) const {
    return lookup(images_, state);
}

void Button::setBackgroundImage(const Image& image, unsigned state) {
    backgrounds_[state] = image;
    refreshContent();
}

Image Button::backgroundImageForState(unsigned state) const {
    return lookup(backgrounds_, state);
}

void Button::setFont(const QFont& font) {
    titleLabel_->setFont(font);
    refreshContent();
}

void Button::setContentEdgeInsets(const EdgeInsets& insets) {
    contentInsets_ = insets;
    layoutSubviews();
}

void Button::setTitleEdgeInsets(const EdgeInsets& insets) {
    titleInsets_ = insets;
    layoutSubviews();
}

void Button::setImageEdgeInsets(const EdgeInsets& insets) {
    imageInsets_ = insets;
    layoutSubviews();
}

void Button::setAdjustsImageWhenHighlighted(bool adjusts) {
    adjustsImage_ = adjusts;
    refreshContent();
}

void Button::stateChanged() {
    refreshContent();
}

void Button::refreshContent() {
    const unsigned s = state();
    const QString title = titleForState(s);
    titleLabel_->setText(title);
    titleLabel_->setTextColor(titleColorForState(s));
    titleLabel_->setShadowColor(lookup(shadowColors_, s));
    titleLabel_->setVisible(!title.isEmpty());
    const Image image = imageForState(s);
    imageView_->setImage(image);
    imageView_->setVisible(!image.isNull());
    imageView_->setDimmed(adjustsImage_ && (s & Highlighted) && !images_.contains(Highlighted) &&
                          !images_.contains(s));
    layoutSubviews();
    update();
}

QSizeF Button::contentSize(QSizeF* titleSize, QSizeF* imageSize) const {
    const QRectF content = contentInsets_.inset(bounds());
    QSizeF image = imageView_->image().size();
    if (!image.isEmpty() && (image.width() > content.width() || image.height() > content.height()))
        image = image.scaled(content.size().expandedTo(QSizeF(1, 1)), Qt::KeepAspectRatio);
    QSizeF title;
    if (!titleLabel_->text().isEmpty()) {
        title = titleLabel_->sizeThatFits(QSizeF(1e6, 0));
        title.setWidth(std::min(title.width(), std::max(0.0, content.width() - image.width())));
    }
    if (titleSize) *titleSize = title;
    if (imageSize) *imageSize = image;
    return QSizeF(title.width() + image.width(), std::max(title.height(), image.height()));
}

void Button::layoutSubviews() {
    if (!titleLabel_ || !imageView_) return;
    const QRectF content = contentInsets_.inset(bounds());
    QSizeF titleSize, imageSize;
    const QSizeF total = contentSize(&titleSize, &imageSize);
    double x = content.left();
    switch (contentHorizontalAlignment()) {
        case HorizontalAlignment::Center:
            x = content.left() + (content.width() - total.width()) / 2;
            break;
        case HorizontalAlignment::Right:
            x = content.right() - total.width();
            break;
        case HorizontalAlignment::Left:
        case HorizontalAlignment::Fill:
            break;
    }
    auto shift = [&](const EdgeInsets& e) {
        switch (contentHorizontalAlignment()) {
            case HorizontalAlignment::Left:
            case HorizontalAlignment::Fill:
                return QPointF(e.left, (e.top - e.bottom) / 2);
            case HorizontalAlignment::Right:
                return QPointF(-e.right, (e.top - e.bottom) / 2);
            case HorizontalAlignment::Center:
                break;
        }
        return QPointF((e.left - e.right) / 2, (e.top - e.bottom) / 2);
    };
    const double cy = content.center().y();
    QRectF imageRect(x, cy - imageSize.height() / 2, imageSize.width(), imageSize.height());
    imageView_->setFrame(imageRect.translated(shift(imageInsets_)));
    double titleWidth = titleSize.width();
    if (contentHorizontalAlignment() == HorizontalAlignment::Fill)
        titleWidth = std::max(0.0, content.right() - imageRect.right());
    QRectF titleRect(imageRect.right(), cy - titleSize.height() / 2, titleWidth,
                     titleSize.height());
    titleLabel_->setFrame(titleRect.translated(shift(titleInsets_)));
}

QSizeF Button::sizeThatFits(const QSizeF&) const {
    QSizeF title =
        titleLabel_->text().isEmpty() ? QSizeF() : titleLabel_->sizeThatFits(QSizeF(1e6, 0));
    QSizeF size(title.width() + imageView_->image().size().width(),
                std::max(title.height(), imageView_->image().size().height()));
    size += QSizeF(contentInsets_.left + contentInsets_.right,
                   contentInsets_.top + contentInsets_.bottom);
    if (type_ == Type::RoundedRect) size += QSizeF(20, 14);
    return size;
}

void Button::paintStandard(QPainter& painter) {
    const QRectF b = bounds();
    switch (type_) {
        case Type::RoundedRect: {
            QPainterPath path;
            path.addRoundedRect(b.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
            painter.fillPath(path, isHighlighted() ? kStandardBlue : QColor(Qt::white));
            painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
            painter.drawPath(path);
            break;
        }
        case Type::DetailDisclosure:
        case Type::InfoLight:
        case Type::ContactAdd: {
            const double d = 22;
            QRectF circle(b.center().x() - d / 2, b.center().y() - d / 2, d, d);
            painter.setPen(QPen(Qt::white, 2));
            painter.setBrush(isHighlighted() ? kStandardBlue.darker(130) : kStandardBlue);
            painter.drawEllipse(circle);
            painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const QPointF c = circle.center();
            if (type_ == Type::DetailDisclosure) {
                painter.drawPolyline(
                    QPolygonF{c + QPointF(-2, -5), c + QPointF(3, 0), c + QPointF(-2, 5)});
            } else if (type_ == Type::ContactAdd) {
                painter.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
                painter.drawLine(c + QPointF(0, -5), c + QPointF(0, 5));
            } else {
                painter.drawLine(c + QPointF(0, -1), c + QPointF(0, 5));
                painter.drawPoint(c + QPointF(0, -5));
            }
            break;
        }
        case Type::Custom:
            break;
    }
}

void Button::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintStandard(painter);
    const unsigned s = state();
    const Image background = backgroundImageForState(s);
    if (background.isNull()) return;
    const bool dim = adjustsImage_ && (s & Highlighted) && !backgrounds_.contains(Highlighted) &&
                     !backgrounds_.contains(s);
    if (dim)
        drawDimmed(painter, background, bounds(), ContentMode::ScaleToFill);
    else
        background.draw(painter, bounds(), ContentMode::ScaleToFill);
}

}  // namespace tovera::platform::ui
