#include "platform/ui/navigation/NavigationBar.h"

#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

namespace {

constexpr double kButtonHeight = 30;
constexpr double kSideMargin = 5;

// The standard look of a bar button, drawn at twice the point size.
Image buttonBackground(const QColor& tint, bool back) {
    const double scale = 2;
    const QSizeF size(back ? 40 : 30, kButtonHeight);
    QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    if (back) {
        const double tip = 12;
        path.moveTo(r.left(), r.center().y());
        path.lineTo(r.left() + tip, r.top());
        path.lineTo(r.right() - 5, r.top());
        path.quadTo(r.right(), r.top(), r.right(), r.top() + 5);
        path.lineTo(r.right(), r.bottom() - 5);
        path.quadTo(r.right(), r.bottom(), r.right() - 5, r.bottom());
        path.lineTo(r.left() + tip, r.bottom());
        path.closeSubpath();
    } else {
        path.addRoundedRect(r, 5, 5);
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, tint.lighter(115));
    g.setColorAt(1, tint.darker(115));
    p.fillPath(path, g);
    p.setPen(QPen(tint.darker(160), 1));
    p.drawPath(path);
    p.end();
    Image result(image, scale);
    return back ? result.stretchable(15, 15) : result.stretchable(6, 15);
}

}  // namespace

NavigationBar::NavigationBar(QWidget* parent)
    : View(QRectF(0, 0, kScreenWidth, kNavigationBarHeight), parent) {
    title_ = new Label(this);
    title_->setFont(Font::boldSystem(20));
    title_->setTextColor(Qt::white);
    title_->setShadowColor(QColor(0, 0, 0, 110));
    title_->setTextAlignment(Qt::AlignHCenter);
}

void NavigationBar::setBackgroundImage(const Image& image) {
    background_ = image;
    update();
}

void NavigationBar::setTintColor(const QColor& color) {
    tint_ = color;
    rebuild();
    update();
}

void NavigationBar::setItems(NavigationItem* top, NavigationItem* previous) {
    if (top_) disconnect(top_, nullptr, this, nullptr);
    if (previous_) disconnect(previous_, nullptr, this, nullptr);
    top_ = top;
    previous_ = previous;
    if (top_) connect(top_, &NavigationItem::changed, this, &NavigationBar::rebuild);
    if (previous_) connect(previous_, &NavigationItem::changed, this, &NavigationBar::rebuild);
    rebuild();
}

Button* NavigationBar::makeBackButton(const QString& title) {
    auto* button = new Button(this);
    button->setFont(Font::boldSystem(12));
    button->setTitle(title);
    button->setBackgroundImage(buttonBackground(tint_, true));
    button->setContentEdgeInsets({0, 14, 0, 8});
    connect(button, &Control::touchUpInside, this, &NavigationBar::backRequested);
    return button;
}

QWidget* NavigationBar::viewForItem(BarButtonItem* item) {
    if (!item) return nullptr;
    if (QWidget* custom = item->customView()) {
        if (custom->parentWidget() != this) custom->setParent(this);
        custom->show();
        return custom;
    }
    auto* button = new Button(this);
    button->setFont(Font::boldSystem(12));
    button->setTitle(item->title());
    button->setEnabled(item->isEnabled());
    const bool back = item->style() == BarButtonItem::Style::Back;
    QColor tint = item->style() == BarButtonItem::Style::Done ? QColor(0x2F, 0x6F, 0xD6) : tint_;
    button->setBackgroundImage(buttonBackground(tint, back));
    button->setContentEdgeInsets(back ? EdgeInsets{0, 14, 0, 8} : EdgeInsets{0, 8, 0, 8});
    QPointer<BarButtonItem> guard(item);
    connect(button, &Control::touchUpInside, this, [guard] {
        if (guard) emit guard->triggered(guard);
    });
    return button;
}

void NavigationBar::rebuild() {
    // Standard buttons are rebuilt; custom views belong to their items.
    for (QPointer<QWidget>* slot : {&left_, &right_}) {
        QWidget* w = *slot;
        if (!w) continue;
        if (qobject_cast<Button*>(w) && !w->property("toveraCustomBarView").toBool()) {
            w->hide();
            w->deleteLater();
        } else {
            w->hide();
        }
        *slot = nullptr;
    }
    if (titleView_) titleView_->hide();
    titleView_ = nullptr;
    showsBack_ = false;
    if (!top_) {
        title_->setText({});
        return;
    }
    for (BarButtonItem* item : {top_->leftBarButtonItem(), top_->rightBarButtonItem()})
        if (item && item->customView())
            item->customView()->setProperty("toveraCustomBarView", true);
    left_ = viewForItem(top_->leftBarButtonItem());
    if (!left_ && previous_ && !top_->hidesBackButton()) {
        QString backTitle = previous_->backBarButtonItem() ? previous_->backBarButtonItem()->title()
                                                           : previous_->title();
        if (backTitle.isEmpty() || backTitle.size() > 6) backTitle = QStringLiteral("返回");
        left_ = makeBackButton(backTitle);
        showsBack_ = true;
    }
    right_ = viewForItem(top_->rightBarButtonItem());
    title_->setText(top_->title());
    if (QWidget* tv = top_->titleView()) {
        if (tv->parentWidget() != this) tv->setParent(this);
        tv->show();
        titleView_ = tv;
    }
    layoutSubviews();
}

void NavigationBar::layoutSubviews() {
    if (!title_) return;
    const QRectF b = bounds();
    double leftEdge = kSideMargin;
    double rightEdge = b.width() - kSideMargin;
    auto place = [&](QWidget* w, bool left) {
        View* v = asView(w);
        QSizeF size = v ? v->frame().size() : QSizeF(w->size());
        if (auto* button = qobject_cast<Button*>(w);
            button && !w->property("toveraCustomBarView").toBool()) {
            size = button->sizeThatFits({});
            size = QSizeF(std::clamp(size.width(), 44.0, 110.0), kButtonHeight);
        }
        const double x = left ? leftEdge : rightEdge - size.width();
        const QRectF f(x, (b.height() - size.height()) / 2, size.width(), size.height());
        if (v)
            v->setFrame(f);
        else
            w->setGeometry(f.toRect());
        w->raise();
        if (left)
            leftEdge = f.right() + kSideMargin;
        else
            rightEdge = f.left() - kSideMargin;
    };
    if (left_) place(left_, true);
    if (right_) place(right_, false);
    // The title stays centred when it can, otherwise it uses the room left.
    const double half = std::min(b.width() / 2 - leftEdge, rightEdge - b.width() / 2);
    QRectF titleRect(b.width() / 2 - half, 0, 2 * half, b.height());
    if (half < 60) titleRect = QRectF(leftEdge, 0, std::max(0.0, rightEdge - leftEdge), b.height());
    title_->setFrame(titleRect);
    title_->setHidden(titleView_ != nullptr);
    if (titleView_) {
        QWidget* tv = titleView_;
        View* v = asView(tv);
        const QSizeF size = v ? v->frame().size() : QSizeF(tv->size());
        const QRectF f(b.width() / 2 - size.width() / 2, (b.height() - size.height()) / 2,
                       size.width(), size.height());
        if (v)
            v->setFrame(f);
        else
            tv->setGeometry(f.toRect());
    }
}

void NavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF b = bounds();
    if (!background_.isNull()) {
        background_.draw(painter, b, ContentMode::ScaleToFill);
        return;
    }
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, tint_.lighter(125));
    g.setColorAt(1, tint_.darker(110));
    painter.fillRect(b, g);
    painter.fillRect(QRectF(0, b.height() - 1, b.width(), 1), tint_.darker(170));
}

}  // namespace tovera::platform::ui
