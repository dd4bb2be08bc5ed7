// The fixture of the news screens' tests: the framework's screen fixture
// with its session handed to the screens, a plain root screen to push on,
// and a sign-in as one of the demo service's users.
#pragma once

#include <string>

#include "core/QXRequestDelegate.h"
#include "core/Value.h"
#include "platform/ui/navigation/ViewController.h"
#include "tests/framework/FrameworkUiTest.h"

namespace tovera::testing {

/// A reply the test waits for: the answer, or done without one on failure.
struct RecordedReply : QXRequestDelegate {
    void requestDidLoad(QXRequest*, const Value& reply) override {
        answer = reply;
        done = true;
    }
    void requestDidFailWithError(QXRequest*, const Error&) override { done = true; }
    Value answer;
    bool done = false;
};

class NewsUiTest : public FrameworkUiTest {
protected:
    void TearDown() override;

    /// Shows a plain root screen and pushes `screen` above it.
    template <typename Screen>
    Screen* open(Screen* screen) {
        if (!nav()) showRoot(new platform::ui::ViewController);
        push(screen);
        return screen;
    }
    void push(platform::ui::ViewController* screen);
    /// The screen on top of the navigation stack.
    platform::ui::ViewController* top() const;
    /// Signs the session in as `name` through the running service.
    void login(const std::string& name, const std::string& password);
    /// Taps the right bar button of `screen`.
    static void tapRightButton(platform::ui::ViewController* screen);
    /// Taps `widget` where it is drawn once the loading overlay, which
    /// would take the tap, is gone (as a user waits for it); false when
    /// the overlay stays or the widget is not shown.
    static bool tapSettled(QWidget* widget);
};

}  // namespace tovera::testing
