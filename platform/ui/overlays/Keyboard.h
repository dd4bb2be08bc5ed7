// The keyboard's notifications. When a text input takes the focus the
// keyboard "shows", told as will-show and did-show; when no text input has
// the focus any more it hides (will-hide, did-hide). The notifications
// arrive from the event loop, just after the focus moved.
//
// On a desktop the typing comes from the hardware keyboard, which takes no
// room in the window: the keyboard's frame is empty, at the window's bottom
// edge, so no screen shrinks and nothing covers what can be clicked. With
// the on-screen stand-in (touch screens, tests of phone layouts) it is a
// 216-point frame at the bottom that the window draws, and screens make room
// as on the phone.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QWidget>

namespace tovera::platform::ui {

struct KeyboardInfo {
    QRectF frameBegin;  // window coordinates (points)
    QRectF frameEnd;
    double animationDuration = 0.25;  // seconds
};

class Keyboard : public QObject {
    Q_OBJECT
public:
    static Keyboard& shared();

    bool isVisible() const { return visible_; }
    /// Whether the on-screen stand-in is used (off by default).
    static bool onScreen();
    /// Chooses the on-screen stand-in; takes effect from the next show.
    static void setOnScreen(bool on);
    /// Where the keyboard sits when shown, in window coordinates (empty, at
    /// the bottom edge, without the on-screen stand-in).
    static QRectF shownFrame();
    /// The text input that has the keyboard, if any.
    QWidget* input() const { return input_; }

    /// Whether `widget` takes typing (a writable line or text editor, or a
    /// widget marked with the property "toveraTextInput").
    static bool isTextInput(const QWidget* widget);

    /// Gives up the keyboard: the text input loses the focus.
    void dismiss();
    /// Moves the keyboard to the next text input of the window, in focus
    /// order; gives it up when there is no other.
    void focusNextInput();

    /// How much of `view`, from its top, a keyboard at `keyboardFrame`
    /// (window coordinates) leaves uncovered, in the view's coordinates.
    static double heightAbove(const QWidget* view, const QRectF& keyboardFrame);

signals:
    void willShow(const tovera::platform::ui::KeyboardInfo& info);
    void didShow(const tovera::platform::ui::KeyboardInfo& info);
    void willHide(const tovera::platform::ui::KeyboardInfo& info);
    void didHide(const tovera::platform::ui::KeyboardInfo& info);

private:
    Keyboard();
    void scheduleSettle();
    void settle();

    bool visible_ = false;
    bool settlePending_ = false;
    QPointer<QWidget> input_;
};

}  // namespace tovera::platform::ui
