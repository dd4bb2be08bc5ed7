// The fixture of the home-screen tests: a chosen city (or none), an
// optional signed-in user in the preferences, and the home screen shown as
// the root of the navigation stack.
#pragma once

#include <QString>

#include "property/Tovera.h"
#include "tests/framework/FrameworkUiTest.h"

namespace tovera::testing {

class HomeScreenTest : public FrameworkUiTest {
protected:
    /// Stores a city (3402) and, with `signedIn`, the preferences of user 5
    /// with a token no service checks (for scripted servers).
    void prepare(bool signedIn);
    /// The demo service's user "demo" kept on the device with automatic
    /// sign-in on: the home screen's first request signs in.
    void keepDemoAccount();
    /// The home screen as root; waits for its first page.
    Tovera* openHome();
    /// Selects tab `index` as a user would.
    void chooseTab(int index);
    /// Taps the menu entry at `position` of the page shown.
    bool tapEntry(int position);
    /// The caption of the menu entry at `position` of the page shown.
    QString caption(int position) const;
    /// The screen on top of the stack.
    platform::ui::ViewController* top() const;

    Tovera* home_ = nullptr;
};

}  // namespace tovera::testing
