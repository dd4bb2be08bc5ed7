#include "platform/ui/testing/Find.h"

namespace tovera::platform::ui::testing {

namespace {

void collect(QWidget* widget, const QString& text, bool exact, QList<View*>& out) {
    if (!widget->isVisible()) return;
    if (View* view = asView(widget)) {
        const QString shown = view->visibleText();
        if (!shown.isEmpty() && (exact ? shown == text : shown.contains(text))) out << view;
    }
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            collect(w, text, exact, out);
}

}  // namespace

bool isOnScreen(const QWidget* widget) {
    return widget && widget->isVisible();
}

QList<View*> findAllByText(QWidget* root, const QString& text, bool exact) {
    QList<View*> out;
    if (root) collect(root, text, exact, out);
    return out;
}

View* findByText(QWidget* root, const QString& text, bool exact) {
    const QList<View*> all = findAllByText(root, text, exact);
    return all.isEmpty() ? nullptr : all.last();
}

View* findByTag(QWidget* root, int tag) {
    if (!root) return nullptr;
    QList<View*> candidates;
    if (View* self = asView(root)) candidates << self;
    candidates << root->findChildren<View*>();
    for (View* v : candidates)
        if (v->tag() == tag && isOnScreen(v)) return v;
    return nullptr;
}

}  // namespace tovera::platform::ui::testing
