// The fixture of the community screens' tests: the news fixture (demo
// service, sign-in, a stack to push on) with helpers to switch between demo
// users, wait for an answer and reach rows and alerts.
#pragma once

#include <QString>

#include <string>
#include <vector>

#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

namespace tovera::testing {

class CommunityUiTest : public NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
    }

    /// Signs in as one of the demo users (name and password).
    void as(const char* name) {
        const std::string user(name);
        const std::string password = user == "demo"       ? "demo1234"
                                     : user == "wangfang" ? "wang12345"
                                     : user == "newbie"   ? "newbie123"
                                     : user == "zhaolei"  ? "zhao12345"
                                                          : "lihua123";
        login(user, password);
    }

    /// The requests the service got on `path`.
    std::vector<service::RecordedRequest> sent(std::string_view path) const {
        return demoService()->requestsTo(path);
    }
    /// Waits until `path` got one more request than `before`; its parameters.
    Dict nextRequest(std::string_view path, std::size_t before) const {
        if (!platform::ui::testing::waitFor([&] { return sent(path).size() > before; })) return {};
        return sent(path).back().params;
    }

    /// The cell of a row on screen, as `Cell`.
    template <typename Cell>
    static Cell* cell(platform::ui::TableView* table, int row, int section = 0) {
        return qobject_cast<Cell*>(table->cellForRowAtIndexPath({section, row}));
    }

    /// Answers the alert shown now with `button`, once one shows.
    static bool answer(const QString& button) {
        if (!platform::ui::testing::waitFor(
                [] { return platform::ui::testing::currentAlert().has_value(); }))
            return false;
        return platform::ui::testing::answerAlert(button);
    }
    /// The message of the alert shown now ("" when none shows).
    static QString alertMessage() {
        platform::ui::testing::waitFor(
            [] { return platform::ui::testing::currentAlert().has_value(); });
        const auto alert = platform::ui::testing::currentAlert();
        return alert ? alert->message : QString();
    }
};

}  // namespace tovera::testing
