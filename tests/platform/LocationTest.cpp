#include "platform/Browser.h"
#include "platform/CityTable.h"
#include "platform/Dialer.h"
#include "platform/Location.h"
#include "platform/MainQueue.h"
#include "platform/ReverseGeocoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tovera::platform;

namespace {

struct Recorder : LocationListener, ReverseGeocoderDelegate {
    std::vector<Coordinate> fixes;
    int failures = 0;
    std::vector<std::string> localities;
    void locationDidUpdate(const Coordinate& c) override { fixes.push_back(c); }
    void locationDidFail(const LocationError&) override { ++failures; }
    void reverseGeocoderDidFindPlacemark(const Placemark& p) override {
        localities.push_back(p.locality);
    }
    void reverseGeocoderDidFail(const std::string&) override { ++failures; }
};

class LocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        setMainQueue(&queue);
        Location::shared().reset();
        ReverseGeocoder::setCityTablePath(TOVERA_RESOURCE_DIR "/cities.csv");
        ReverseGeocoder::setFailing(false);
    }
    void TearDown() override {
        Location::shared().reset();
        setMainQueue(nullptr);
    }
    ManualMainQueue queue;
};

}  // namespace

TEST(LocationParse, AcceptsDecimalPairsAndRejectsEverythingElse) {
    struct Case {
        const char* text;
        bool ok;
        double lat, lon;
    } cases[] = {
        {"31.859207,117.30757", true, 31.859207, 117.30757},
        {" -33.86 , 151.2 ", true, -33.86, 151.2},
        {"+10,+20", true, 10, 20},
        {"31.8", false, 0, 0},
        {"91,0", false, 0, 0},
        {"0,181", false, 0, 0},
        {"a,b", false, 0, 0},
        {"1,2,3", false, 0, 0},
        {"nan,1", false, 0, 0},
        {",", false, 0, 0},
    };
    for (const auto& c : cases) {
        auto parsed = Location::parseCoordinate(c.text);
        EXPECT_EQ(parsed.has_value(), c.ok) << c.text;
        if (parsed && c.ok) {
            EXPECT_DOUBLE_EQ(parsed->latitude, c.lat) << c.text;
            EXPECT_DOUBLE_EQ(parsed->longitude, c.lon) << c.text;
        }
    }
}

TEST_F(LocationTest, ReportsTheDefaultPositionOnceOnTheMainQueue) {
    Recorder r;
    Location::shared().startUpdatingLocation(&r);
    EXPECT_TRUE(r.fixes.empty()) << "reported synchronously";
    queue.runPending();
    ASSERT_EQ(r.fixes.size(), 1u);
    EXPECT_EQ(r.fixes[0], Location::kDefaultPosition);
    EXPECT_EQ(Location::shared().lastLocation(), Location::kDefaultPosition);
}

TEST_F(LocationTest, ModesAndStoppingDecideWhatAListenerHears) {
    struct Case {
        Location::Mode mode;
        bool stopBeforeDelivery;
        std::size_t fixes;
        int failures;
    } cases[] = {
        {Location::Mode::Fix, false, 1, 0},
        {Location::Mode::Fix, true, 0, 0},
        {Location::Mode::NoFix, false, 0, 0},
        {Location::Mode::Failure, false, 0, 1},
    };
    for (const auto& c : cases) {
        Location::shared().reset();
        Location::shared().setMode(c.mode);
        Location::shared().setPosition({30.5, 114.3});
        Recorder r;
        Location::shared().startUpdatingLocation(&r);
        if (c.stopBeforeDelivery) Location::shared().stopUpdatingLocation(&r);
        queue.runPending();
        EXPECT_EQ(r.fixes.size(), c.fixes) << int(c.mode);
        EXPECT_EQ(r.failures, c.failures) << int(c.mode);
        EXPECT_EQ(Location::shared().locationServicesEnabled(), c.mode != Location::Mode::Failure);
        Location::shared().stopUpdatingLocation(&r);
    }
}

TEST_F(LocationTest, ANewPositionReachesRunningListeners) {
    Recorder r;
    Location::shared().startUpdatingLocation(&r);
    queue.runPending();
    Location::shared().setPosition({39.9, 116.4});
    queue.runPending();
    ASSERT_EQ(r.fixes.size(), 2u);
    EXPECT_EQ(r.fixes[1], (Coordinate{39.9, 116.4}));
    Location::shared().setPosition({500, 0});  // invalid: ignored
    queue.runPending();
    EXPECT_EQ(r.fixes.size(), 2u);
}

TEST(CityTable, SkipsHeaderCommentsAndMalformedLines) {
    auto table = CityTable::parse(
        "# comment\nname,province,latitude,longitude\n合肥市,安徽省,31.82,117.23\r\n"
        "\nbroken line\n,安徽省,1,2\n北京市,北京市,39.9,116.4\n外国,x,95,0\n");
    ASSERT_EQ(table.cities().size(), 2u);
    EXPECT_EQ(table.cities()[0].name, "合肥市");
    EXPECT_EQ(table.cities()[1].province, "北京市");
    EXPECT_EQ(table.skippedLines(), 3u);
}

TEST(CityTable, ShippedTableIsWellFormed) {
    auto table = CityTable::load(TOVERA_RESOURCE_DIR "/cities.csv");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->skippedLines(), 0u);
    EXPECT_GE(table->cities().size(), 60u);
    EXPECT_NEAR(CityTable::distanceKm({31.8206, 117.2272}, {32.0603, 118.7969}), 150, 5);
}

TEST_F(LocationTest, ReverseGeocodingNamesTheNearestCityOrNothing) {
    struct Case {
        Coordinate at;
        const char* locality;  // nullptr: failure
    } cases[] = {
        {Location::kDefaultPosition, "合肥市"},
        {{31.30, 118.40}, "芜湖市"},
        {{39.95, 116.30}, "北京市"},
        {{10.0, 150.0}, nullptr},  // the open sea
    };
    for (const auto& c : cases) {
        Recorder r;
        ReverseGeocoder geocoder(c.at);
        geocoder.start(&r);
        EXPECT_TRUE(geocoder.isQuerying());
        queue.runPending();
        EXPECT_FALSE(geocoder.isQuerying());
        if (c.locality) {
            ASSERT_EQ(r.localities.size(), 1u);
            EXPECT_EQ(r.localities[0], c.locality);
        } else {
            EXPECT_TRUE(r.localities.empty());
            EXPECT_EQ(r.failures, 1);
        }
    }
}

TEST_F(LocationTest, GeocodingFailureHookCancelAndDestructionAreHonoured) {
    Recorder failing;
    ReverseGeocoder::setFailing(true);
    ReverseGeocoder first(Location::kDefaultPosition);
    first.start(&failing);
    queue.runPending();
    EXPECT_EQ(failing.failures, 1);
    ReverseGeocoder::setFailing(false);

    Recorder silent;
    ReverseGeocoder cancelled(Location::kDefaultPosition);
    cancelled.start(&silent);
    cancelled.cancel();
    auto gone = std::make_unique<ReverseGeocoder>(Location::kDefaultPosition);
    gone->start(&silent);
    gone.reset();
    queue.runPending();
    EXPECT_TRUE(silent.localities.empty());
    EXPECT_EQ(silent.failures, 0);
}

TEST_F(LocationTest, MissingCityTableFailsEveryLookup) {
    ReverseGeocoder::setCityTablePath("/nonexistent/cities.csv");
    Recorder r;
    ReverseGeocoder geocoder(Location::kDefaultPosition);
    geocoder.start(&r);
    queue.runPending();
    EXPECT_EQ(r.failures, 1);
}

TEST(Dialer, RecordsEveryRequestAndHandsOnlyWellFormedNumbers) {
    Dialer& dialer = Dialer::shared();
    dialer.clearRequests();
    std::vector<std::string> handed;
    dialer.setHandler([&](const std::string& address) {
        handed.push_back(address);
        return true;
    });
    struct Case {
        const char* address;
        bool handed;
    } cases[] = {
        {"tel:0551-1234,88", true}, {"TEL:+86(551)1234", true}, {"tel:", false},
        {"tel:0551 1234", false},   {"tel:;rm -rf /", false},   {"http://example.com", false},
        {"tel:#*", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dialer.openUrl(c.address), c.handed) << c.address;
    ASSERT_EQ(dialer.requests().size(), std::size(cases));
    EXPECT_EQ(dialer.requests()[3], "tel:0551 1234");
    EXPECT_EQ(handed, (std::vector<std::string>{"tel:0551-1234,88", "TEL:+86(551)1234"}));
    dialer.setHandler(nullptr);
    EXPECT_FALSE(dialer.openUrl("tel:110"));
    dialer.clearRequests();
}

TEST(Browser, HandsOnlyWebAddressesSoAReplyCannotOpenLocalThings) {
    Browser& browser = Browser::shared();
    browser.clearRequests();
    std::vector<std::string> handed;
    browser.setHandler([&](const std::string& address) {
        handed.push_back(address);
        return true;
    });
    for (const char* address :
         {"https://store.example/app", "HTTP://a.example", "file:///etc/passwd",
          "javascript:alert(1)", "http://", "/usr/bin/xterm", ""})
        browser.openUrl(address);
    EXPECT_EQ(handed, (std::vector<std::string>{"https://store.example/app", "HTTP://a.example"}));
    EXPECT_EQ(browser.requests().size(), 7u);
    browser.setHandler(nullptr);
    browser.clearRequests();
}
