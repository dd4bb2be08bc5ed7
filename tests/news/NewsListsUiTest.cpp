#include "tests/news/NewsListsUiTest.h"

#include <algorithm>

#include "core/QXRequestDelegate.h"
#include "framework/ActivityView.h"
#include "framework/RootScreenServices.h"
#include "platform/Preferences.h"
#include "platform/ui/testing/Wait.h"

namespace tovera::testing {

using platform::ui::testing::processEvents;
using platform::ui::testing::waitFor;

namespace {

// Catches the one reply of a class-level request.
class ReplyCatcher : public QXRequestDelegate {
public:
    void requestDidLoad(QXRequest*, const Value& reply) override { reply_ = reply; }
    void requestDidFailWithError(QXRequest*, const Error&) override { failed_ = true; }
    bool done() const { return !reply_.isNull() || failed_; }
    const Value& reply() const { return reply_; }

private:
    Value reply_;
    bool failed_ = false;
};

}  // namespace

void NewsListsUiTest::SetUp() {
    FrameworkUiTest::SetUp();
    platform::preferences().setString("cityid", "3401");
    useService(scripted_.base());
}

service::DemoService& NewsListsUiTest::useDemo() {
    if (!demoService())
        startDemoService();
    else
        useService(demoService()->baseUrl());
    return *demoService();
}

void NewsListsUiTest::signIn() {
    ReplyCatcher catcher;
    Dict form{{"username", "demo"}, {"password", "demo1234"}};
    DSTovera::userLogin(form, &catcher);
    ASSERT_TRUE(waitFor([&] { return catcher.done(); }));
    const std::string password = catcher.reply().getStringValueForKey("password", "");
    ASSERT_FALSE(password.empty());
    session().setUid("1", "demo" + password, "3401");
}

void NewsListsUiTest::pushScreen(platform::ui::ViewController* screen) {
    if (!nav()) showRoot(new platform::ui::ViewController);
    nav()->pushViewController(screen, false);
    processEvents();
}

void NewsListsUiTest::backToRoot() {
    nav()->popToRootViewControllerAnimated(false);
    processEvents();
}

std::vector<Dict> NewsListsUiTest::requestsTo(std::string_view path) const {
    std::vector<Dict> out;
    if (service::DemoService* demo = demoService())
        for (const service::RecordedRequest& request : demo->requestsTo(path))
            out.push_back(request.params);
    return out;
}

bool NewsListsUiTest::waitForRequests(std::string_view path, std::size_t count) const {
    return waitFor([&] { return requestsTo(path).size() >= count; });
}

bool NewsListsUiTest::settled() const {
    const bool done = waitFor([] { return !ActivityView::shared()->isShowing(); });
    processEvents();
    return done;
}

std::string categoriesReply(int n, const std::vector<int>& subscribed) {
    std::string rows;
    for (int cid = 1; cid <= n; ++cid) {
        const bool on = std::find(subscribed.begin(), subscribed.end(), cid) != subscribed.end();
        if (!rows.empty()) rows += ",";
        rows += R"({"cid":")" + std::to_string(cid) + R"(","catname":"分类)" + std::to_string(cid) +
                R"(","subscribed":")" + (on ? "1" : "0") + R"(","num":")" +
                std::to_string(100 + cid) + R"("})";
    }
    return R"({"error_code":200,"result":[)" + rows + R"(],"total":)" + std::to_string(n) + "}";
}

}  // namespace tovera::testing
