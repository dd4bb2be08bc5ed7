#include "platform/ui/navigation/FocusChain.h"

#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Control.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace tovera::platform::ui {

namespace {

constexpr double kRingWidth = 2;
constexpr int kSameRow = 8;  // points of difference still read as one row

// Whether `widget` takes keys: enabled, acting on taps, and inside views
// that take taps.
bool takesInput(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (auto* view = qobject_cast<const View*>(w); view && !view->isUserInteractionEnabled())
            return false;
    if (auto* control = qobject_cast<const Control*>(widget)) return control->isEnabled();
    if (auto* box = qobject_cast<const TextView*>(widget)) return box->isEditable();
    return true;
}

// Whether the middle of `widget` shows in the window and a click there
// reaches it (nothing of a front layer lies over it).
bool inFront(QWidget* widget, Window* window) {
    if (!widget->isVisibleTo(window) || widget->width() < 4 || widget->height() < 4) return false;
    const QPoint middle = widget->rect().center();
    for (QWidget* w = widget; w && w != window; w = w->parentWidget())
        if (!w->rect().contains(widget->mapTo(w, middle))) return false;
    QWidget* hit = window->childAt(widget->mapTo(window, middle));
    return hit && (hit == widget || widget->isAncestorOf(hit) || hit->isAncestorOf(widget));
}

// The view of the chain that `focus` belongs to.
QWidget* chainMember(QWidget* focus) {
    for (QWidget* w = focus; w; w = w->parentWidget())
        if (qobject_cast<TextField*>(w) || qobject_cast<TextView*>(w) || qobject_cast<Control*>(w))
            return w;
    return nullptr;
}

// The view the keyboard moved the focus to last: the ring shows around it
// while it keeps the focus, and not around a view a tap focused.
QPointer<QWidget>& keyboardTarget() {
    static QPointer<QWidget> target;
    return target;
}

}  // namespace

QList<QWidget*> FocusChain::reachable(Window* window) {
    QList<QWidget*> views;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool field = qobject_cast<TextField*>(widget) || qobject_cast<TextView*>(widget);
        if (!field && !qobject_cast<Control*>(widget)) continue;
        // The parts of a field are the field's.
        if (QWidget* holder = chainMember(widget->parentWidget());
            holder && (qobject_cast<TextField*>(holder) || qobject_cast<TextView*>(holder)))
            continue;
        if (!takesInput(widget) || !inFront(widget, window)) continue;
        views << widget;
    }
    std::stable_sort(views.begin(), views.end(), [window](QWidget* a, QWidget* b) {
        const QRect ra(a->mapTo(window, QPoint()), a->size());
        const QRect rb(b->mapTo(window, QPoint()), b->size());
        if (std::abs(ra.center().y() - rb.center().y()) > kSameRow)
            return ra.center().y() < rb.center().y();
        return ra.left() < rb.left();
    });
    return views;
}

bool FocusChain::move(Window* window, bool forward) {
    const QList<QWidget*> views = reachable(window);
    if (views.isEmpty()) return false;
    const qsizetype at = views.indexOf(chainMember(QApplication::focusWidget()));
    qsizetype next = at < 0 ? (forward ? 0 : views.size() - 1)
                            : (at + (forward ? 1 : views.size() - 1)) % views.size();
    QWidget* target = views[next];
    keyboardTarget() = target;
    if (auto* field = qobject_cast<TextField*>(target)) {
        field->becomeFirstResponder();
    } else if (auto* box = qobject_cast<TextView*>(target)) {
        box->becomeFirstResponder();
    } else {
        target->setFocusPolicy(Qt::TabFocus);
        target->setFocus(Qt::TabFocusReason);
    }
    return true;
}

Control* FocusChain::focusedControl(Window* window) {
    QWidget* focus = QApplication::focusWidget();
    auto* control = qobject_cast<Control*>(focus);
    if (!control || qobject_cast<TextField*>(control) || Window::of(focus) != window)
        return nullptr;
    return control->isEnabled() && inFront(control, window) ? control : nullptr;
}

FocusRing::FocusRing(Window* window) : View(window), window_(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setHidden(true);
    connect(qApp, &QApplication::focusChanged, this, [this] { follow(); });
    // A scrolled list moves the focused view without telling it.
    tracking_.setInterval(100);
    connect(&tracking_, &QTimer::timeout, this, [this] { follow(); });
}

void FocusRing::follow() {
    QWidget* focus = QApplication::focusWidget();
    QWidget* member = focus && Window::of(focus) == window_ ? chainMember(focus) : nullptr;
    // Only a focus the keyboard moved shows a ring; a tap shows where it is.
    if (member != keyboardTarget()) member = nullptr;
    if (!member || !member->isVisibleTo(window_)) {
        target_ = nullptr;
        tracking_.stop();
        setHidden(true);
        return;
    }
    target_ = member;
    const QRectF box(member->mapTo(window_, QPoint()), member->size());
    setFrame(box.adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth));
    setHidden(false);
    raise();
    if (!tracking_.isActive()) tracking_.start();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2F, 0x80, 0xED), kRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds().adjusted(1, 1, -1, -1), 4, 4);
}

}  // namespace tovera::platform::ui
