#include "platform/ui/overlays/Toast.h"

#include "platform/Timers.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

#include <QList>
#include <QPointer>

namespace tovera::platform::ui {

namespace {

constexpr double kMaxTextWidth = 280;
constexpr double kMaxTextHeight = 60;
constexpr double kPadding = 10;

QList<QPointer<Label>>& onScreen() {
    static QList<QPointer<Label>> labels;
    return labels;
}

void prune() {
    onScreen().removeIf([](const QPointer<Label>& l) { return l.isNull(); });
}

}  // namespace

void Toast::show(const QString& text, const Options& options) {
    Window* window = Window::keyWindow();
    if (!window || text.isEmpty()) return;
    auto* box = new View();
    box->setBackgroundColor(QColor(0, 0, 0, 190));
    box->setCornerRadius(5);
    box->setUserInteractionEnabled(false);
    auto* label = new Label(box);
    label->setFont(Font::system(15));
    label->setTextColor(Qt::white);
    label->setTextAlignment(Qt::AlignHCenter);
    label->setNumberOfLines(0);
    label->setLineBreakMode(Label::LineBreak::WordWrap);
    label->setText(text);
    QSizeF size = label->sizeThatFits(QSizeF(kMaxTextWidth, 0));
    size.setHeight(std::min(size.height(), kMaxTextHeight));
    label->setFrame(QRectF(kPadding, kPadding, size.width(), size.height()));
    const QSizeF boxSize(size.width() + 2 * kPadding, size.height() + 2 * kPadding);
    const QRectF area = window->bounds();
    QPointF origin(area.center().x() - boxSize.width() / 2,
                   area.center().y() - boxSize.height() / 2);
    if (options.gravity == Gravity::Top) origin.setY(kStatusBarHeight + kNavigationBarHeight + 10);
    if (options.gravity == Gravity::Bottom) origin.setY(area.bottom() - boxSize.height() - 60);
    box->setFrame(QRectF(origin + options.offset, boxSize));
    window->addFloatingView(box);
    prune();
    onScreen().append(label);

    QPointer<View> guard(box);
    timers().schedule(Timers::Duration(std::max(0, options.durationMs)), [guard] {
        if (!guard) return;
        Animation::run(
            guard, Timers::Duration(300), [guard](double t) { guard->setAlpha(1 - t); },
            [guard] {
                if (guard) guard->deleteLater();
            });
    });
}

QString Toast::current() {
    const QStringList all = visible();
    return all.isEmpty() ? QString() : all.last();
}

QStringList Toast::visible() {
    prune();
    QStringList texts;
    for (const auto& label : onScreen())
        if (View* box = asView(label->parentWidget()); box && box->alpha() > 0.99)
            texts << label->text();
    return texts;
}

}  // namespace tovera::platform::ui
