// Keeps a form laid out in a scroll view usable while the keyboard shows:
// the scroll view ends where the keyboard begins, and the input being typed
// in scrolls into what is left, together with the views the form keeps in
// sight (its buttons) when they fit; when the keyboard hides, the scroll view
// takes its full height again. Without the on-screen stand-in the keyboard
// takes no room and nothing moves.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace tovera::platform::ui {

class ScrollView;
struct KeyboardInfo;

class KeyboardRoom : public QObject {
    Q_OBJECT
public:
    /// Follows the keyboard for `scroll` (and goes with it); the scroll
    /// view's full height reaches from its top to its superview's bottom.
    explicit KeyboardRoom(ScrollView* scroll);

    /// Views scrolled into sight with the input (the form's buttons).
    void keepInSight(const QList<QWidget*>& views);

    /// Fits the scroll view above a keyboard at `info` and brings the input
    /// that has it into sight.
    void keyboardShown(const KeyboardInfo& info);
    /// Gives the scroll view its full height again.
    void keyboardHidden();

private:
    /// `view`'s rectangle in the scroll view's content, or an empty one when
    /// it is not in the scroll view.
    QRectF contentRect(QWidget* view) const;

    ScrollView* scroll_;
    QList<QPointer<QWidget>> keep_;
};

}  // namespace tovera::platform::ui
