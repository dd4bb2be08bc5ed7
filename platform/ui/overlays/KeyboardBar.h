// The on-screen keyboard stand-in the window draws while a text input has
// the keyboard: it takes the keyboard's place, so screens that make room
// for it look right, and offers the keys a mouse needs (the typing itself
// comes from the desktop keyboard): the return key of the input, titled by
// the return key type it asks for ("搜索", "下一项", "完成", ...), and a key
// that puts the keyboard away. Its keys never take the focus from the input.
#pragma once

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

class Button;

class KeyboardBar : public View {
    Q_OBJECT
public:
    explicit KeyboardBar(QWidget* parent = nullptr);

    /// Follows the input that has the keyboard (null: none).
    void setInput(QWidget* input);

    /// The return key (hidden for inputs without one, as a text view).
    Button* returnKey() const { return returnKey_; }

private:
    void returnKeyTapped();

    Button* returnKey_ = nullptr;
};

}  // namespace tovera::platform::ui
