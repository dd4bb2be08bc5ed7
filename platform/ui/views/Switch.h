// An on/off switch; a tap flips it and sends value-changed.
#pragma once

#include "platform/ui/views/Control.h"

namespace tovera::platform::ui {

class Switch : public Control {
    Q_OBJECT
public:
    /// Switches have their standard size, 79 x 27 points.
    explicit Switch(QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    /// Sets the state without sending value-changed.
    void setOn(bool on, bool animated = false);
    void setOnTintColor(const QColor& color);

    QString visibleText() const override;

protected:
    void tapped() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool on_ = false;
    QColor onTint_{0x1C, 0x7C, 0xF4};
};

}  // namespace tovera::platform::ui
