// How an embedded view or a list cell tells its screen that one of its
// buttons was pressed.
#pragma once

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class QXViewDelegate {
public:
    virtual ~QXViewDelegate() = default;
    /// `view` (the embedded view or cell) reports a tap on `button`.
    virtual void qxView(platform::ui::View* view, platform::ui::Button* button) = 0;
};

}  // namespace tovera
