// The base of the views a user acts on (buttons, switches, segmented
// choices, text fields): enabled, selected and highlighted states, touch
// tracking with a mouse, and the control events as Qt signals carrying the
// sender, so a screen connects them to its actions.
#pragma once

#include "platform/ui/views/View.h"

#include <QEvent>

namespace tovera::platform::ui {

class Control : public View {
    Q_OBJECT
public:
    enum class HorizontalAlignment { Center, Left, Right, Fill };

    explicit Control(QWidget* parent = nullptr);
    explicit Control(const QRectF& frame, QWidget* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);

    HorizontalAlignment contentHorizontalAlignment() const { return hAlign_; }
    void setContentHorizontalAlignment(HorizontalAlignment alignment);

    /// Sent to a control whose touch a scroll view took over for dragging:
    /// the touch ends without an action.
    static QEvent::Type touchCancelEventType();

    /// Plays a tap as if the user made it (a disabled control ignores it).
    void sendTap();

    /// What the keyboard presses on this control when it is the topmost
    /// one on screen with the role: Escape a cancel control, Enter a default one.
    enum class KeyRole { None, Cancel, Default };
    void setKeyRole(KeyRole role) { keyRole_ = role; }
    KeyRole keyRole() const { return keyRole_; }

signals:
    void touchDown(tovera::platform::ui::Control* sender);
    void touchUpInside(tovera::platform::ui::Control* sender);
    void touchUpOutside(tovera::platform::ui::Control* sender);
    void touchCancel(tovera::platform::ui::Control* sender);
    void valueChanged(tovera::platform::ui::Control* sender);
    void editingDidBegin(tovera::platform::ui::Control* sender);
    void editingChanged(tovera::platform::ui::Control* sender);
    void editingDidEnd(tovera::platform::ui::Control* sender);
    void editingDidEndOnExit(tovera::platform::ui::Control* sender);

protected:
    /// A finished tap inside the control; the default sends touchUpInside.
    virtual void tapped();
    virtual void stateChanged() { update(); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool insideTrackingArea(const QPointF& point) const;

    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    HorizontalAlignment hAlign_ = HorizontalAlignment::Center;
    KeyRole keyRole_ = KeyRole::None;
};

}  // namespace tovera::platform::ui
