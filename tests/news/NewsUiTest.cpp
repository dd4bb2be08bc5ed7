#include "tests/news/NewsUiTest.h"

#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"

namespace tovera::testing {

using platform::ui::testing::processEvents;
using platform::ui::testing::waitFor;

void NewsUiTest::TearDown() {
    RootScreenServices& root = RootScreenServices::shared();
    root.removeParam("face");
    root.removeParam("users");
    FrameworkUiTest::TearDown();
}

void NewsUiTest::push(platform::ui::ViewController* screen) {
    nav()->pushViewController(screen, false);
    processEvents();
}

platform::ui::ViewController* NewsUiTest::top() const {
    return nav() ? nav()->topViewController() : nullptr;
}

void NewsUiTest::login(const std::string& name, const std::string& password) {
    RecordedReply reply;
    Dict params{{"username", name}, {"password", password}};
    DSTovera::userLogin(params, &reply);
    ASSERT_TRUE(waitFor([&] { return reply.done; }));
    const std::string value = reply.answer.getStringValueForKey("password", "");
    ASSERT_FALSE(value.empty()) << "the demo user " << name << " signs in";
    session().setUid(reply.answer.getStringValueForKey("id", "0"), name + value, "3401");
}

void NewsUiTest::tapRightButton(platform::ui::ViewController* screen) {
    screen->navigationItem()->rightBarButtonItem()->trigger();
    processEvents();
}

bool NewsUiTest::tapSettled(QWidget* widget) {
    if (!waitFor([] { return !ActivityView::shared()->isShowing(); })) return false;
    processEvents();
    return platform::ui::testing::tap(widget);
}

}  // namespace tovera::testing
