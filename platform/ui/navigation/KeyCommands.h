// The keyboard of a desktop driving the phone window:
// - Escape and Alt+Left close the keyboard stand-in, an alert or sheet (its
//   cancel button), a picker (its cancel control), or go back a screen as
//   the navigation bar's back button does;
// - Enter presses an alert's default button or a picker's confirm control,
//   and opens the list row chosen with the arrow keys;
// - Up and Down move a visible selection through the rows of the screen's
//   list, Page Up/Down, Home and End scroll it;
// - Tab and Shift+Tab walk the fields and controls in reading order, and
//   Enter or Space presses the control that has the focus;
// - Ctrl+1 to Ctrl+5 choose the tabs of the root screen's tab bar;
// - F5 and Ctrl+R reload the screen as a pull on its list does;
// - Ctrl+F opens the screen's own search (the home screen's local search)
//   or puts the caret into the screen's search bar;
// - Ctrl+= (or Ctrl++), Ctrl+- and Ctrl+0 zoom the window in, out and back
//   to the default scale;
// - Ctrl+Q quits.
// Keys typed into a text field stay the field's, except Escape.
#pragma once

#include <QObject>

class QKeyEvent;

namespace tovera::platform::ui {

class Window;

class KeyCommands : public QObject {
    Q_OBJECT
public:
    /// Watches the keys typed into `window` (it owns the watcher).
    static void install(Window* window);

    /// Carries out the command of `event`; true when the key was one.
    bool handle(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyCommands(Window* window);

    bool goBack();
    bool confirm();
    bool moveSelection(int key);
    bool chooseTab(int index);
    bool refresh();
    bool focusSearch();
    bool zoom(int key);

    Window* window_;
    // The key press seen last, told apart from a later one made at the
    // same address by its time.
    const QKeyEvent* lastKey_ = nullptr;
    quint64 lastTimestamp_ = 0;
};

}  // namespace tovera::platform::ui
