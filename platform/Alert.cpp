#include "platform/Alert.h"

#include <mutex>
#include <utility>

#include "platform/Log.h"

namespace tovera::platform {

namespace {

struct AlertState {
    std::mutex mutex;
    std::function<void(Alert)> presenter;
    std::vector<Alert> recorded;
};

AlertState& state() {
    static AlertState s;
    return s;
}

}  // namespace

void showAlert(Alert alert) {
    auto& s = state();
    std::function<void(Alert)> presenter;
    {
        std::lock_guard lock(s.mutex);
        presenter = s.presenter;
        if (!presenter) {
            logLine("alert: " + alert.title + " / " + alert.message);
            s.recorded.push_back(std::move(alert));
            return;
        }
    }
    presenter(std::move(alert));
}

void setAlertPresenter(std::function<void(Alert)> presenter) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.presenter = std::move(presenter);
}

std::vector<Alert> takeRecordedAlerts() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return std::exchange(s.recorded, {});
}

}  // namespace tovera::platform
