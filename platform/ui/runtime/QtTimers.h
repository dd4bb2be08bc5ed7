// The timer facility on the Qt event loop: one single-shot QTimer is kept
// armed for the earliest deadline and runs the due timers when it fires.
// Fast-forwarding (tests) works as on the plain facility.
#pragma once

#include "platform/Timers.h"

#include <QObject>
#include <QTimer>

namespace tovera::platform::ui {

class QtTimers : public QObject, public Timers {
    Q_OBJECT
public:
    explicit QtTimers(QObject* parent = nullptr);

protected:
    void deadlinesChanged() override;

private:
    QTimer timer_;
};

}  // namespace tovera::platform::ui
