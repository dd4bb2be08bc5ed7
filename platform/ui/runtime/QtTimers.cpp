#include "platform/ui/runtime/QtTimers.h"

#include <chrono>

namespace tovera::platform::ui {

QtTimers::QtTimers(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { runDue(); });
}

void QtTimers::deadlinesChanged() {
    auto next = nextDeadline();
    if (!next) {
        timer_.stop();
        return;
    }
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now());
    timer_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
}

}  // namespace tovera::platform::ui
