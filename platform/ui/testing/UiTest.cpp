#include "platform/ui/testing/UiTest.h"

#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/overlays/ModalOverlay.h"
#include "platform/ui/testing/Wait.h"

#include <QApplication>

namespace tovera::platform::ui::testing {

void UiTest::SetUp() {
    // The screens are tested in their phone layout, keyboard stand-in included.
    Keyboard::setOnScreen(true);
    window_ = new Window;
    window_->makeKeyAndVisible();
    QApplication::setActiveWindow(window_);
    ASSERT_TRUE(waitFor([this] { return window_->isVisible() && window_->windowHandle(); }));
    processEvents();
}

void UiTest::TearDown() {
    for (ModalOverlay* overlay : ModalOverlay::visibleOverlays())
        overlay->dismissWithClickedButtonIndex(overlay->cancelButtonIndex());
    delete window_.data();
    processEvents();
}

}  // namespace tovera::platform::ui::testing
