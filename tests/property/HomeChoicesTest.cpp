// The city choice and the account screens as the home screen opens them:
// the first start without a city, the "切换城市" button, the login entry and
// prompt, and the password change entry.
#include <QString>

#include "account/Editpassword.h"
#include "account/UserLogin.h"
#include "core/Gb18030.h"
#include "framework/NoticeView.h"
#include "platform/Location.h"
#include "platform/Preferences.h"
#include "platform/ReverseGeocoder.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/TextField.h"
#include "property/ChooseCity.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ScriptedServer;

namespace {

class HomeChoices : public tovera::testing::HomeScreenTest {
protected:
    void SetUp() override {
        HomeScreenTest::SetUp();
        platform::Location::shared().reset();
        platform::ReverseGeocoder::setCityTablePath(TOVERA_RESOURCE_DIR "/cities.csv");
    }
    void TearDown() override {
        platform::Location::shared().reset();
        HomeScreenTest::TearDown();
    }
    // The city list for the city choice, an empty page for everything else.
    void scriptCities() {
        server_.respond([](const httplib::Request& request, httplib::Response& response) {
            const bool cities = request.path.find("system/citylist.aspx") != std::string::npos;
            response.set_content(
                gb18030::fromUtf8Lossy(
                    cities
                        ? R"({"error_code":200,"result":[)"
                          R"({"cityid":"3401","city":"合肥","lat":"31.859207","lon":"117.30757"},)"
                          R"({"cityid":"3402","city":"芜湖","lat":"31.352859","lon":"118.432941"}],)"
                          R"("total":2})"
                        : R"({"error_code":200,"result":[],"total":0,"number":"0,0,0,0"})"),
                "application/json");
        });
        useService(server_.base());
    }
    ChooseCity* presentedChoice() const {
        return home_ ? qobject_cast<ChooseCity*>(home_->modalViewController()) : nullptr;
    }
    // The "cityid" of the latest home-list request.
    std::string lastHomeCity() const {
        std::string city;
        for (const auto& request : server_.received()) {
            if (request.path.find("system/home.aspx") == std::string::npos) continue;
            const auto at = request.target.find("cityid=");
            city = at == std::string::npos
                       ? ""
                       : request.target.substr(at + 7, request.target.find('&', at) - at - 7);
        }
        return city;
    }

    ScriptedServer server_;
};

TEST_F(HomeChoices, AFirstStartChoosesACityBeforeAnythingElse) {
    scriptCities();
    home_ = new Tovera;
    showRoot(home_);
    ASSERT_TRUE(waitFor([&] { return presentedChoice() != nullptr; }));
    ChooseCity* choose = presentedChoice();
    ASSERT_TRUE(waitFor([&] { return choose->dataArray().size() == 2; }));
    EXPECT_EQ(choose->navigationItem()->leftBarButtonItem(), nullptr)
        << "no way round the choice on a first start";
    TableViewCell* wuhu = choose->tableView()->cellForRowAtIndexPath({1, 1});
    ASSERT_TRUE(wuhu && tap(wuhu));
    ASSERT_TRUE(waitFor([&] { return presentedChoice() == nullptr; }));
    ASSERT_TRUE(waitFor([&] { return lastHomeCity() == "3402"; }))
        << "the home list reloads for the chosen city";

    platform::Preferences& prefs = platform::preferences();
    EXPECT_EQ(prefs.string("cityid"), "3402");
    EXPECT_EQ(prefs.string("city"), "芜湖");
    EXPECT_EQ(prefs.string("geo"), "31.352859,118.432941");
    EXPECT_EQ(home_->DStovera().cityId(), "3402");
    EXPECT_EQ(home_->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("芜湖"));

    // Later the button opens the choice again, now with a way out.
    home_->navigationItem()->rightBarButtonItem()->trigger();
    ASSERT_TRUE(waitFor([&] { return presentedChoice() != nullptr; }));
    ASSERT_TRUE(presentedChoice()->navigationItem()->leftBarButtonItem());
    presentedChoice()->navigationItem()->leftBarButtonItem()->trigger();
    ASSERT_TRUE(waitFor([&] { return presentedChoice() == nullptr; }));
    EXPECT_EQ(prefs.string("cityid"), "3402");
}

TEST_F(HomeChoices, ThePositionRowOfAFirstStartTakesTheCityFound) {
    scriptCities();
    home_ = new Tovera;
    showRoot(home_);
    ASSERT_TRUE(waitFor([&] { return presentedChoice() != nullptr; }));
    ChooseCity* choose = presentedChoice();
    ASSERT_TRUE(waitFor([&] {
        return choose->dataArray().size() == 2 && choose->locality() == QStringLiteral("合肥市");
    }));
    ASSERT_TRUE(tap(choose->tableView()->cellForRowAtIndexPath({0, 0})));
    ASSERT_TRUE(waitFor([&] { return presentedChoice() == nullptr; }));
    EXPECT_EQ(home_->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("合肥"));
    ASSERT_TRUE(waitFor([&] { return lastHomeCity() == "3401"; }));
}

// As on a desktop: typing comes from the hardware keyboard, so with the
// password field still focused the first click on "登录" signs in.
TEST_F(HomeChoices, TheLoginEntrySignsInAndTheMenuThenOffersLogout) {
    platform::ui::Keyboard::setOnScreen(false);
    prepare(false);
    startDemoService();
    openHome();
    chooseTab(4);
    ASSERT_EQ(caption(0), QStringLiteral("用户登录"));
    ASSERT_TRUE(tapEntry(0));
    ASSERT_TRUE(waitFor([&] { return qobject_cast<UserLogin*>(top()) != nullptr; }));
    auto* login = qobject_cast<UserLogin*>(top());
    BarButtonItem* back = login->navigationItem()->leftBarButtonItem();
    ASSERT_TRUE(back) << "the skinned back item, as on every screen";
    EXPECT_EQ(back->title(), QStringLiteral("返回"));
    ASSERT_TRUE(type(login->usernameTextField(), QStringLiteral("demo")));
    ASSERT_TRUE(type(login->pwdTextField(), QStringLiteral("demo1234")));
    processEvents();
    ASSERT_TRUE(tap(findByText(login->view(), QStringLiteral("登录"))));
    ASSERT_TRUE(waitFor([&] { return top() == home_; }));
    processEvents();
    EXPECT_TRUE(home_->DStovera().isUserLoggedin());
    EXPECT_EQ(caption(0), QStringLiteral("注销")) << "the menu is rebuilt after the login";
    EXPECT_FALSE(platform::preferences().contains("update"));
    // The login asks for the unread counts at once; the demo user has some.
    EXPECT_TRUE(waitFor([&] { return home_->DStovera().number() != "0,0,0,0"; }));

    ASSERT_TRUE(tapEntry(3));  // "修改密码"
    ASSERT_TRUE(waitFor([&] { return qobject_cast<Editpassword*>(top()) != nullptr; }));
}

TEST_F(HomeChoices, TheLoginPromptOpensTheLoginScreenWithAWayBack) {
    prepare(false);
    startDemoService();
    openHome();
    home_->alertViewTologin();
    ASSERT_TRUE(answerAlert(QStringLiteral("登录")));
    ASSERT_TRUE(waitFor([&] { return qobject_cast<UserLogin*>(top()) != nullptr; }));
    BarButtonItem* back = top()->navigationItem()->leftBarButtonItem();
    ASSERT_TRUE(back);
    back->trigger();
    ASSERT_TRUE(waitFor([&] { return top() == home_; }));
}

}  // namespace
