// The city choice over a home screen: the list and position rows, what a
// choice stores, the first start without a city, and the check-list of
// cities of interest.
#include <QString>

#include "core/DSTovera.h"
#include "platform/Location.h"
#include "platform/Preferences.h"
#include "platform/ReverseGeocoder.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "property/ChooseCity.h"
#include "property/CityList.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ScriptedServer;

namespace {

constexpr const char* kCityPath = "/api/phone/system/citylist.aspx";

// Stands for the home screen: counts its reloads.
class HomeStandIn : public QXViewController {
public:
    HomeStandIn() : QXViewController(false) {}
    void reloadData() override { ++reloads; }
    int reloads = 0;
};

std::string cityReply(const std::string& records) {
    return R"({"error_code":200,"result":[)" + records + R"(],"total":9})";
}

const std::string kTwoCities =
    cityReply(R"({"cityid":"3401","city":"合肥","lat":"31.859207","lon":"117.30757"},)"
              R"({"cityid":"3402","city":"芜湖","lat":"31.352859","lon":"118.432941"})");

class CityChoice : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        platform::Location::shared().reset();
        platform::ReverseGeocoder::setCityTablePath(TOVERA_RESOURCE_DIR "/cities.csv");
        platform::ReverseGeocoder::setFailing(false);
        useService(server_.base());
        server_.reply(kTwoCities);
        session().setCityId(std::nullopt);
    }
    void TearDown() override {
        platform::Location::shared().reset();
        platform::ReverseGeocoder::setFailing(false);
        FrameworkUiTest::TearDown();
    }

    // Presents the city choice over a stand-in home screen.
    ChooseCity* present() {
        home_ = new HomeStandIn;
        showRoot(home_);
        auto* choose = new ChooseCity(home_);
        home_->presentModalViewController(choose, false);
        processEvents();
        return choose;
    }
    bool listed(ChooseCity* choose) {
        return waitFor([choose] { return choose->dataArray().size() == 2; });
    }
    bool located(ChooseCity* choose, const QString& place) {
        return waitFor([&] { return choose->locality() == place; });
    }
    bool tapRow(ChooseCity* choose, int section, int row) {
        TableViewCell* cell = choose->tableView()->cellForRowAtIndexPath({section, row});
        return cell && tap(cell);
    }
    bool isOpen() const { return home_->modalViewController() != nullptr; }

    HomeStandIn* home_ = nullptr;
    ScriptedServer server_;
};

TEST_F(CityChoice, AListCityIsStoredHandedToTheSessionAndTheHomeReloads) {
    ChooseCity* choose = present();
    ASSERT_TRUE(listed(choose));
    EXPECT_EQ(choose->tableView()->tag(), 9) << "the table keeps the reply's total";
    ASSERT_TRUE(tapRow(choose, 1, 1));
    processEvents();

    platform::Preferences& prefs = platform::preferences();
    EXPECT_EQ(prefs.string("cityid"), "3402");
    EXPECT_EQ(prefs.string("city"), "芜湖");
    EXPECT_EQ(prefs.string("geo"), "31.352859,118.432941");
    EXPECT_EQ(session().cityId(), "3402");
    EXPECT_EQ(home_->reloads, 1);
    EXPECT_FALSE(isOpen());
    platform::Preferences written(prefs.path());
    EXPECT_EQ(written.string("cityid"), "3402") << "the choice is written out at once";
}

TEST_F(CityChoice, TheCityInUseIsMarkedAndTheHeadersKeepAMargin) {
    platform::preferences().setString("cityid", "3402");
    ChooseCity* choose = present();
    ASSERT_TRUE(listed(choose));
    const auto accessory = [choose](int row) {
        return choose->tableView()->cellForRowAtIndexPath({1, row})->accessoryType();
    };
    EXPECT_EQ(accessory(0), TableViewCell::Accessory::None);
    EXPECT_EQ(accessory(1), TableViewCell::Accessory::Checkmark);

    View* header = findByText(choose->view(), QStringLiteral("选择城市"));
    ASSERT_TRUE(header);
    EXPECT_GE(header->mapTo(choose->tableView(), QPoint()).x(), 8) << "not against the edge";
}

TEST_F(CityChoice, ThePositionRowChoosesTheCityNamedWithinThePlace) {
    // "合" is too short to match; "合肥" occurs within "合肥市".
    server_.reply(cityReply(R"({"cityid":"1","city":"合","lat":"1","lon":"2"},)"
                            R"({"cityid":"3401","city":"合肥","lat":"31.8","lon":"117.3"})"));
    ChooseCity* choose = present();
    ASSERT_TRUE(listed(choose));
    ASSERT_TRUE(located(choose, QStringLiteral("合肥市")));
    EXPECT_TRUE(findByText(choose->view(), QStringLiteral("合肥市")));
    ASSERT_TRUE(tapRow(choose, 0, 0));
    processEvents();
    EXPECT_EQ(platform::preferences().string("cityid"), "3401");
    EXPECT_EQ(platform::preferences().string("geo"), "31.8,117.3");
    EXPECT_EQ(home_->reloads, 1);
    EXPECT_FALSE(isOpen());
}

TEST_F(CityChoice, ThePositionRowChoosesTheLongestCityNameWithinThePlace) {
    // Both "肥市" and "合肥市" occur within "合肥市"; the longer one is meant.
    server_.reply(cityReply(R"({"cityid":"2","city":"肥市","lat":"1","lon":"2"},)"
                            R"({"cityid":"3401","city":"合肥市","lat":"31.8","lon":"117.3"})"));
    ChooseCity* choose = present();
    ASSERT_TRUE(listed(choose));
    ASSERT_TRUE(located(choose, QStringLiteral("合肥市")));
    ASSERT_TRUE(tapRow(choose, 0, 0));
    processEvents();
    EXPECT_EQ(platform::preferences().string("cityid"), "3401");
}

// The position row that names no city: with a city already chosen the old
// one stays and the screen closes; on a first start the screen stays open
// so that the user picks a city, since closing would leave the app without one.
TEST_F(CityChoice, APositionMatchingNoCityNeverLeavesTheAppWithoutACity) {
    const struct {
        const char* name;
        bool cityStored;
        bool listArrived;
        platform::Coordinate position;
    } cases[] = {
        {"first start, unknown place", false, true, {0, -30}},
        {"first start, list not there yet", false, false, platform::Location::kDefaultPosition},
        {"first start, place not in the list", false, true, {39.9042, 116.4074}},
        {"city stored, unknown place", true, true, {0, -30}},
        {"city stored, list not there yet", true, false, platform::Location::kDefaultPosition},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::Preferences& prefs = platform::preferences();
        prefs.remove("cityid");
        if (c.cityStored) prefs.setString("cityid", "3405");
        platform::Location::shared().reset();
        platform::Location::shared().setPosition(c.position);
        if (!c.listArrived) server_.holdPath(kCityPath);
        ChooseCity* choose = present();
        if (c.listArrived) {
            ASSERT_TRUE(listed(choose));
        }
        ASSERT_TRUE(waitFor([&] { return !platform::Location::shared().isUpdating(choose); }));
        processEvents();

        ASSERT_TRUE(tapRow(choose, 0, 0));
        processEvents();
        EXPECT_EQ(prefs.string("cityid"),
                  c.cityStored ? std::optional<std::string>("3405") : std::nullopt);
        EXPECT_EQ(isOpen(), !c.cityStored);
        EXPECT_EQ(home_->reloads, c.cityStored ? 1 : 0);
        if (!c.cityStored) {
            EXPECT_EQ(currentToast(), QStringLiteral("请从列表中选择城市"));
            // The list still works: the user picks a city from it.
            server_.release();
            ASSERT_TRUE(listed(choose));
            ASSERT_TRUE(tapRow(choose, 1, 0));
            processEvents();
            EXPECT_EQ(prefs.string("cityid"), "3401");
            EXPECT_FALSE(isOpen());
        } else {
            EXPECT_EQ(session().cityId(), "3405");
        }
        server_.release();
    }
}

TEST_F(CityChoice, WithoutAPositionTheRowReadsUnknownAndTheListStillWorks) {
    const struct {
        const char* name;
        platform::Location::Mode mode;
        bool geocoderFails;
    } cases[] = {
        {"location services off", platform::Location::Mode::Failure, false},
        {"no fix yet", platform::Location::Mode::NoFix, false},
        {"geocoding fails", platform::Location::Mode::Fix, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::preferences().remove("cityid");
        platform::Location::shared().reset();
        platform::Location::shared().setMode(c.mode);
        platform::ReverseGeocoder::setFailing(c.geocoderFails);
        ChooseCity* choose = present();
        ASSERT_TRUE(listed(choose));
        processEvents();
        EXPECT_EQ(choose->locality(), QStringLiteral("未知"));
        EXPECT_TRUE(findByText(choose->view(), QStringLiteral("未知")));
        ASSERT_TRUE(tapRow(choose, 1, 0));
        processEvents();
        EXPECT_EQ(platform::preferences().string("city"), "合肥");
        EXPECT_FALSE(isOpen());
    }
}

TEST_F(CityChoice, AFailedListShowsTheLoadFailureAlertAndKeepsTheScreen) {
    server_.reply(R"({"error_code":500,"msg":"内部错误"})");
    ChooseCity* choose = present();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    answerAlert(0);
    processEvents();
    EXPECT_TRUE(isOpen());
    EXPECT_TRUE(choose->dataArray().empty());
}

// A first start whose city list failed is never stuck: the window coming
// back, a pull on the list and the alert's "重试" each ask again.
TEST_F(CityChoice, AFailedListCanBeAskedForAgain) {
    const std::string failure = R"({"error_code":500,"msg":"内部错误"})";
    platform::preferences().remove("cityid");
    server_.reply(failure);
    ChooseCity* choose = present();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->buttons, (QStringList{"确定", "重试"}));
    ASSERT_TRUE(answerAlert(0));

    // The window coming back.
    server_.reply(kTwoCities);
    emit platform::ui::Application::instance()->didBecomeActive();
    ASSERT_TRUE(listed(choose));

    // A pull that fails keeps the list; "重试" then replaces it.
    server_.reply(failure);
    ASSERT_TRUE(drag(choose->tableView(), QPointF(160, 100), QPointF(0, 80)));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(choose->dataArray().size(), 2u);
    server_.reply(kTwoCities);
    ASSERT_TRUE(answerAlert(QStringLiteral("重试")));
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 4; }));
    processEvents();
    EXPECT_EQ(choose->dataArray().size(), 2u) << "replaced, not doubled";
    EXPECT_TRUE(isOpen());
}

// ---- Cities of interest ---------------------------------------------------

class CitiesOfInterest : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        useService(server_.base());
        server_.reply(cityReply(R"({"cityid":"3405","city":"马鞍山","lat":"0","lon":"0"},)"
                                R"({"cityid":"9","city":"鞍山","lat":"0","lon":"0"},)"
                                R"({"cityid":"3401","city":"合肥","lat":"0","lon":"0"},)"
                                R"({"cityid":"3402","city":"芜湖","lat":"0","lon":"0"})"));
    }

    CityList* open(const std::string& selected) {
        below_ = new HomeStandIn;
        showRoot(below_);
        auto* list = new CityList;
        list->setSelectedString(selected);
        nav()->pushViewController(list, false);
        EXPECT_TRUE(waitFor([list] { return list->dataArray().size() == 4; }));
        return list;
    }
    static std::vector<std::string> checked(CityList* list) {
        std::vector<std::string> names;
        for (const Value& record : list->dataArray())
            if (record.getIntValueForKey("checked", 0))
                names.push_back(record.getStringValueForKey("city", ""));
        return names;
    }

    HomeStandIn* below_ = nullptr;
    ScriptedServer server_;
};

TEST_F(CitiesOfInterest, TheCallersNamesCheckExactlyThoseCities) {
    const struct {
        std::string selected;
        std::vector<std::string> checked;
    } cases[] = {
        {"马鞍山,合肥,", {"马鞍山", "合肥"}},
        {"马鞍山,", {"马鞍山"}},  // not "鞍山", which only ends that name
        {"鞍山,", {"鞍山"}},      // not "马鞍山", which contains it
        {"合肥,芜湖", {"合肥"}},  // "芜湖" lacks its ","
        {"", {}},
        {" 合肥,", {}},
    };
    for (const auto& c : cases) {
        CityList* list = open(c.selected);
        EXPECT_EQ(checked(list), c.checked) << c.selected;
    }
}

TEST_F(CitiesOfInterest, SubmitHandsTheCheckedCitiesBackInReverseOrder) {
    const struct {
        std::vector<int> taps;
        std::string names;
        std::string ids;
    } cases[] = {
        {{}, " ", " "},
        {{0, 2}, "合肥,马鞍山", "3401,3405"},
        {{2, 0}, "合肥,马鞍山", "3401,3405"},
        {{3, 1, 1}, "芜湖", "3402"},
    };
    for (const auto& c : cases) {
        CityList* list = open("");
        for (int row : c.taps) {
            TableViewCell* cell = list->tableView()->cellForRowAtIndexPath({0, row});
            ASSERT_TRUE(cell && tap(cell));
            processEvents();
        }
        list->navigationItem()->rightBarButtonItem()->trigger();
        processEvents();
        EXPECT_EQ(nav()->topViewController(), below_);
        EXPECT_EQ(below_->param().param().getStringValueForKey("citybtn", "?"), c.names);
        EXPECT_EQ(below_->param().param().getStringValueForKey("cityids", "?"), c.ids);
    }
}

}  // namespace
