#include "platform/ui/runtime/QtMainQueue.h"

#include <QMetaObject>

namespace tovera::platform::ui {

QtMainQueue::QtMainQueue(QObject* parent) : QObject(parent) {}

void QtMainQueue::post(std::function<void()> task) {
    // A queued call into this object's thread; Qt keeps posted events of one
    // receiver in order and discards them if the receiver is destroyed.
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace tovera::platform::ui
