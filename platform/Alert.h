// The alert path of the logic layers: a title, a message and buttons, shown
// by the toolkit once it installs a presenter. Until then alerts are logged
// and recorded, which is how tests of the Qt-free layers read them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tovera::platform {

struct Alert {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;  // in order; the index is what the callback hears
    int tag = 0;
    /// Told the index of the chosen button; may be empty.
    std::function<void(int)> onButton;
};

/// Shows `alert` through the installed presenter, or logs and records it.
void showAlert(Alert alert);

/// Installs the toolkit's presenter; an empty function restores recording.
void setAlertPresenter(std::function<void(Alert)> presenter);

/// The alerts recorded since the last call (oldest first), emptied.
std::vector<Alert> takeRecordedAlerts();

}  // namespace tovera::platform
