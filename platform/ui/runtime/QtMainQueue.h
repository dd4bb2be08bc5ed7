// The main-thread queue on the Qt event loop: tasks posted from any thread run
// on the thread that created the queue (the GUI thread) in posting order.
#pragma once

#include "platform/MainQueue.h"

#include <QObject>

namespace tovera::platform::ui {

class QtMainQueue : public QObject, public MainQueue {
    Q_OBJECT
public:
    explicit QtMainQueue(QObject* parent = nullptr);
    /// Safe from any thread. Tasks still queued when the queue is destroyed
    /// are dropped.
    void post(std::function<void()> task) override;
};

}  // namespace tovera::platform::ui
