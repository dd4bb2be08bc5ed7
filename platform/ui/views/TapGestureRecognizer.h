// Recognises taps (one or two in quick succession) on a view and its
// subviews. A single-tap recogniser can wait for a double-tap one to fail,
// so a view can react to both (hide on one tap, zoom on two). A tap that
// turns into a drag is no tap.
#pragma once

#include "platform/Timers.h"
#include "platform/ui/lists/DragTracker.h"

#include <QObject>
#include <QPointF>
#include <QPointer>

class QWidget;

namespace tovera::platform::ui {

class TapGestureRecognizer : public QObject {
    Q_OBJECT
public:
    /// Watches `view` (and is owned by it).
    TapGestureRecognizer(QWidget* view, int taps = 1);
    ~TapGestureRecognizer() override;

    int numberOfTapsRequired() const { return taps_; }
    /// This recogniser fires only once `other` has failed to see its taps.
    void requireToFail(TapGestureRecognizer* other) { waitFor_ = other; }
    /// Where the last recognised tap was, in the view's coordinates.
    QPointF location() const { return location_; }

signals:
    void recognized(tovera::platform::ui::TapGestureRecognizer* recognizer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fire();

    QPointer<QWidget> view_;
    int taps_;
    QPointer<TapGestureRecognizer> waitFor_;
    bool pressed_ = false;
    bool secondOfDouble_ = false;
    int count_ = 0;
    QPointF pressGlobal_;
    QPointF location_;
    qint64 lastRelease_ = 0;
    TimerId waiting_ = 0;
    MouseEventKey last_;
};

}  // namespace tovera::platform::ui
