#include "platform/ui/testing/Overlays.h"

#include "platform/ui/navigation/Window.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/overlays/Toast.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"

namespace tovera::platform::ui::testing {

namespace {

OverlayInfo describe(ModalOverlay* overlay, const QString& message) {
    return OverlayInfo{overlay->title(),
                       message,
                       overlay->buttonTitles(),
                       overlay->tag(),
                       overlay->cancelButtonIndex(),
                       overlay->destructiveButtonIndex()};
}

// Taps the on-screen button of the topmost overlay titled like `index`.
bool tapButton(ModalOverlay* overlay, int index) {
    if (!overlay || index < 0 || index >= overlay->numberOfButtons()) return false;
    const QString title = overlay->buttonTitleAtIndex(index);
    QList<View*> matches = findAllByText(Window::keyWindow(), title);
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        if (qobject_cast<Button*>(*it)) {
            tap(*it);
            processEvents();
            return true;
        }
    }
    // Not found on screen (no window): choose it directly.
    overlay->dismissWithClickedButtonIndex(index);
    processEvents();
    return true;
}

}  // namespace

std::optional<OverlayInfo> currentAlert() {
    AlertView* alert = AlertView::current();
    if (!alert) return {};
    return describe(alert, alert->message());
}

bool answerAlert(int index) {
    return tapButton(AlertView::current(), index);
}

bool answerAlert(const QString& title) {
    AlertView* alert = AlertView::current();
    if (!alert) return false;
    return tapButton(alert, int(alert->buttonTitles().indexOf(title)));
}

std::optional<OverlayInfo> currentActionSheet() {
    ActionSheet* sheet = ActionSheet::current();
    if (!sheet) return {};
    return describe(sheet, {});
}

bool answerActionSheet(int index) {
    return tapButton(ActionSheet::current(), index);
}

QString currentToast() {
    return Toast::current();
}

}  // namespace tovera::platform::ui::testing
