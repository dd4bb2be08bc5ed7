// Reading and answering what the toolkit shows over the screens: the current
// alert, action sheet and toast.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tovera::platform::ui::testing {

struct OverlayInfo {
    QString title;
    QString message;  // alerts only
    QStringList buttons;
    int tag = 0;
    int cancelIndex = -1;
    int destructiveIndex = -1;
};

std::optional<OverlayInfo> currentAlert();
/// Chooses button `index` of the current alert by tapping it; false when
/// there is no alert or no such button.
bool answerAlert(int index);
/// Chooses the button titled `title` of the current alert.
bool answerAlert(const QString& title);

std::optional<OverlayInfo> currentActionSheet();
bool answerActionSheet(int index);

/// The newest toast on screen, or an empty text.
QString currentToast();

}  // namespace tovera::platform::ui::testing
