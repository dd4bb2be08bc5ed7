// Finding views the way a user sees them: by the text they show, by class,
// by tag. Only views that are on screen count (visible, with every ancestor).
#pragma once

#include "platform/ui/views/View.h"

#include <QList>
#include <QString>

namespace tovera::platform::ui::testing {

/// Whether `widget` and all its ancestors are shown.
bool isOnScreen(const QWidget* widget);

/// Every view on screen under `root` whose visible text equals `text`
/// (contains it, when `exact` is false), topmost last.
QList<View*> findAllByText(QWidget* root, const QString& text, bool exact = true);
/// The topmost such view, or null.
View* findByText(QWidget* root, const QString& text, bool exact = true);
/// The first view on screen under `root` with the tag, or null.
View* findByTag(QWidget* root, int tag);

/// Every widget of class T on screen under `root`, in tree order.
template <typename T>
QList<T*> findAllByClass(QWidget* root) {
    QList<T*> out;
    if (!root) return out;
    if (auto* self = qobject_cast<T*>(root); self && isOnScreen(root)) out << self;
    for (T* found : root->findChildren<T*>())
        if (isOnScreen(found)) out << found;
    return out;
}

template <typename T>
T* findByClass(QWidget* root) {
    const QList<T*> all = findAllByClass<T>(root);
    return all.isEmpty() ? nullptr : all.first();
}

}  // namespace tovera::platform::ui::testing
