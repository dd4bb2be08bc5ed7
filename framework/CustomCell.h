// The base of the list cells: it forwards a tap on one of its buttons to
// its screen (qxView), takes one reply row with setInfo(), can show a
// centred "more" text, and shows the skin colour when selected.
#pragma once

#include "core/Value.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/runtime/WeakDelegate.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class CustomCell : public platform::ui::TableViewCell {
    Q_OBJECT
public:
    explicit CustomCell(const QString& reuseIdentifier = {}, QWidget* parent = nullptr);

    QXViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }

    /// Tells the delegate that `button` of this cell was pressed.
    virtual void btnPressed(platform::ui::Button* button);
    /// Makes taps on `button` reach btnPressed().
    void connectButton(platform::ui::Button* button);

    /// One reply row; the base clears the standard label (subclasses fill
    /// their own labels).
    virtual void setInfo(const Dict& info);
    /// A centred text in the standard label (a "more" row).
    void setMore(const QString& text);
    /// The cell's current height.
    double contentHeight() const { return frame().height(); }

private:
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
};

}  // namespace tovera
