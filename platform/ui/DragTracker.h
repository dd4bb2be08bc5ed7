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
    // The event last seen, to know its later hops up the parents.
    const QEvent* lastEvent_ = nullptr;
    int lastType_ = 0;
    quint64 lastTimestamp_ = 0;
    bool synthesizing_ = false;
};

}  // namespace tovera::platform::ui
