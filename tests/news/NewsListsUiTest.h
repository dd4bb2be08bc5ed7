// The fixture of the news list screens' tests (news home, search, personal
// feed, subscriptions): the demo service (a test reads what it received and
// injects faults), a scripted server for replies
// the demo service never gives, sign-in as the demo user, and screens shown
// over a plain root screen.
#pragma once

#include <string>
#include <vector>

#include "core/DSTovera.h"
#include "platform/ui/navigation/NavigationController.h"
#include "service/DemoService.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"

namespace tovera::testing {

class NewsListsUiTest : public FrameworkUiTest {
protected:
    void SetUp() override;

    /// Talks to the demo service of this fixture from now on.
    service::DemoService& useDemo();
    /// Signs the session in as the demo user ("demo", id 1).
    void signIn();

    /// Shows `screen` pushed over a plain root screen.
    template <typename Screen>
    Screen* push(Screen* screen) {
        pushScreen(screen);
        return screen;
    }
    void pushScreen(platform::ui::ViewController* screen);
    platform::ui::ViewController* top() const { return nav()->topViewController(); }
    /// Back to the plain root screen.
    void backToRoot();

    /// The decoded requests of `path` the demo service received.
    std::vector<Dict> requestsTo(std::string_view path) const;
    /// Waits until the demo service received `count` requests of `path`.
    bool waitForRequests(std::string_view path, std::size_t count) const;
    /// Waits until the shared loading overlay is gone and events settled.
    bool settled() const;

    ScriptedServer scripted_;
};

/// The JSON text of `n` news categories with cids 1 to n ("分类1", ...);
/// those in `subscribed` carry "subscribed" "1".
std::string categoriesReply(int n, const std::vector<int>& subscribed = {});

}  // namespace tovera::testing
