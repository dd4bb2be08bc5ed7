// Turns mouse drags into scrolling. One filter on the application watches
// every press: when the pointer then moves far enough in a direction a
// scroll view under it can scroll, that scroll view takes the drag (the
// innermost one that can), the pressed control or cell is told its touch
// was cancelled, and the rest of the drag goes to the scroll view only.
// A press that does not move is left alone and ends as a tap.
#pragma once

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>

class QMouseEvent;
class QWidget;

namespace tovera::platform::ui {

class ScrollView;

/// One mouse event across the hops it makes (the window, the widget under
/// the pointer, then its parents while they ignore it): the hops are copies,
/// so the event is known by its type, time and place.
struct MouseEventKey {
    int type = 0;
    quint64 timestamp = 0;
    QPointF global;

    static MouseEventKey of(const QMouseEvent* event);
    friend bool operator==(const MouseEventKey&, const MouseEventKey&) = default;
};

class DragTracker : public QObject {
    Q_OBJECT
public:
    /// Installs the filter once (scroll views call this).
    static void install();
    /// Distance (points) the pointer moves before a drag starts.
    static constexpr double kDragThreshold = 6;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DragTracker(QObject* parent);
    void pressed(QWidget* receiver, QMouseEvent* event);
    bool moved(QMouseEvent* event);
    bool released(QMouseEvent* event);
    void cancelPress(ScrollView* taker);

    enum class State { Idle, Pending, Dragging };
    State state_ = State::Idle;
    QPointer<QWidget> receiver_;
    QList<QPointer<ScrollView>> chain_;
    QPointer<ScrollView> active_;
    QPointF pressGlobal_;
    qint64 pressTime_ = 0;
    MouseEventKey last_;  // to know the later hops of the event last seen
    bool synthesizing_ = false;
};

}  // namespace tovera::platform::ui
