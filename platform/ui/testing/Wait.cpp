#include "platform/ui/testing/Wait.h"

#include "platform/Timers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace tovera::platform::ui::testing {

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QDeadlineTimer deadline(limit);
    QTimer tick;  // wakes the loop now and then to look at the condition again
    tick.start(10);
    while (!done()) {
        if (deadline.hasExpired()) return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
    return true;
}

void processEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void fastForward(std::chrono::milliseconds by) {
    processEvents();
    timers().fastForward(by);
    processEvents();
}

}  // namespace tovera::platform::ui::testing
