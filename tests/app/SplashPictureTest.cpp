// The splash picture's refresh against the demo service: what it downloads,
// what it refuses, and what it leaves alone.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/SplashPicture.h"
#include "platform/Preferences.h"
#include "tests/app/ServiceHome.h"

using namespace tovera;
using tovera::testing::fileBytes;
using tovera::testing::ServiceHome;
using Outcome = SplashPicture::Outcome;

namespace {

std::string shippedDemoPicture(const std::string& name) {
    return fileBytes(std::filesystem::path(service::defaultDemoDir()) / "pic" / name);
}

std::size_t downloadsOf(ServiceHome& home, const std::string& name) {
    return home.service().requestsTo("/pic/" + name).size();
}

Outcome refresh(std::chrono::milliseconds timeOut = SplashPicture::kTimeOut) {
    return tovera::testing::onOwnThread([timeOut] { return SplashPicture::refresh(timeOut); });
}

}  // namespace

TEST(SplashPicture, NamesTakenFromAnswers) {
    struct Case {
        std::string answer;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"http://h/pic/splash_v1.png", "splash_v1.png"},
        {"splash.png", "splash.png"},
        {"  http://h/pic/p.png\r\n", "p.png"},
        {"http://h/pic/开屏.png", "开屏.png"},
        {"http://h/" + std::string(200, 'a'), std::string(200, 'a')},
        {"http://h/" + std::string(201, 'a'), std::nullopt},
        {"", std::nullopt},
        {"http://h/pic/", std::nullopt},
        {"http://h/.", std::nullopt},
        {"http://h/..", std::nullopt},
        {"http://h/.hidden.png", std::nullopt},
        {"http://h/a\\b.png", std::nullopt},
        {"http://h/a\x01.png", std::nullopt},
        {"http://h/a\x7f.png", std::nullopt},
        {"http://h/a\xc2\x85.png", std::nullopt},
        {"http://h/a\xff.png", std::nullopt},
        {"http://h/tovera.sqlite", std::nullopt},
        {"http://h/tovera.sqlite-journal", std::nullopt},
        {"http://h/tovera.sqlite-wal", std::nullopt},
        {"http://h/tovera.sqlite-shm", std::nullopt},
        {"http://h/tovera.prefs", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplashPicture::fileNameOf(c.answer), c.name) << c.answer;
}

// The first half of the stored picture.
std::string kept1Half(ServiceHome& home) {
    const std::string whole = fileBytes(home.document("splash_v1.png"));
    return whole.substr(0, whole.size() / 2);
}

TEST(SplashPicture, DownloadsOnceAndAgainWhenTheFileIsGone) {
    ServiceHome home;
    EXPECT_FALSE(SplashPicture::storedPicturePath());
    EXPECT_EQ(refresh(), Outcome::kDownloaded);
    EXPECT_EQ(platform::preferences().string("splash"), "splash_v1.png");
    EXPECT_EQ(fileBytes(home.document("splash_v1.png")), shippedDemoPicture("splash_v1.png"));
    EXPECT_EQ(SplashPicture::storedPicturePath(), home.document("splash_v1.png").string());

    // An answer ending in the stored name downloads nothing.
    EXPECT_EQ(refresh(), Outcome::kCurrent);
    EXPECT_EQ(downloadsOf(home, "splash_v1.png"), 1u);

    // Trimming the cache took the file: the stored name no longer counts.
    std::filesystem::remove(home.document("splash_v1.png"));
    EXPECT_FALSE(SplashPicture::storedPicturePath());
    EXPECT_EQ(refresh(), Outcome::kDownloaded);
    EXPECT_EQ(downloadsOf(home, "splash_v1.png"), 2u);

    // A stored picture that is cut short or damaged is fetched again.
    for (const std::string& damage : {kept1Half(home), std::string("not a picture")}) {
        { std::ofstream(home.document("splash_v1.png"), std::ios::binary) << damage; }
        EXPECT_EQ(refresh(), Outcome::kDownloaded);
        EXPECT_EQ(fileBytes(home.document("splash_v1.png")), shippedDemoPicture("splash_v1.png"));
    }

    // A new picture on the service replaces it.
    home.service().setSplashPicture("splash_v2.png");
    EXPECT_EQ(refresh(), Outcome::kDownloaded);
    EXPECT_EQ(platform::preferences().string("splash"), "splash_v2.png");
    EXPECT_EQ(fileBytes(home.document("splash_v2.png")), shippedDemoPicture("splash_v2.png"));
}

TEST(SplashPicture, FailuresKeepTheStoredPicture) {
    ServiceHome home;
    ASSERT_EQ(refresh(), Outcome::kDownloaded);
    const std::string kept = fileBytes(home.document("splash_v1.png"));
    // A database and preferences of the app's own, which a hostile answer
    // must not overwrite.
    std::filesystem::create_directories(home.path() / "Documents");
    { std::ofstream(home.document("tovera.sqlite")) << "database"; }

    struct Case {
        std::string picture;  // what the service names as its picture
        Outcome outcome;
    };
    const Case cases[] = {
        {"..", Outcome::kRefusedName},
        {"tovera.sqlite", Outcome::kRefusedName},
        {"sub/tovera.prefs", Outcome::kRefusedName},
        {"a\x01.png", Outcome::kRefusedName},
        {std::string(201, 'b') + ".png", Outcome::kRefusedName},
        {"missing.png", Outcome::kDownloadFailed},
    };
    for (const Case& c : cases) {
        home.service().setSplashPicture(c.picture);
        EXPECT_EQ(refresh(), c.outcome) << c.picture;
        EXPECT_EQ(platform::preferences().string("splash"), "splash_v1.png") << c.picture;
        EXPECT_EQ(fileBytes(home.document("splash_v1.png")), kept) << c.picture;
    }
    EXPECT_EQ(fileBytes(home.document("tovera.sqlite")), "database");
    EXPECT_EQ(downloadsOf(home, "tovera.sqlite"), 0u);
}

TEST(SplashPicture, OnlyWholePicturesCount) {
    const std::string png = shippedDemoPicture("splash_v1.png");
    EXPECT_TRUE(SplashPicture::looksWhole(png));
    EXPECT_FALSE(SplashPicture::looksWhole(png.substr(0, png.size() - 1)));
    EXPECT_TRUE(SplashPicture::looksWhole(std::string("\xff\xd8 data \xff\xd9")));
    EXPECT_FALSE(SplashPicture::looksWhole(std::string("\xff\xd8 data")));
    EXPECT_FALSE(SplashPicture::looksWhole("<html>not found</html>"));
    EXPECT_FALSE(SplashPicture::looksWhole(""));

    // A download that is no whole picture is not kept.
    ServiceHome home;
    EXPECT_EQ(tovera::testing::onOwnThread([] {
                  return SplashPicture::refresh(SplashPicture::kTimeOut,
                                                [](std::string_view) { return false; });
              }),
              Outcome::kNotAPicture);
    EXPECT_FALSE(platform::preferences().contains("splash"));
}

TEST(SplashPicture, NoServiceOrAHangingOneEndsTheRefresh) {
    ServiceHome home;
    service::Fault hang;
    hang.kind = service::Fault::Kind::kDelay;
    hang.delay = std::chrono::milliseconds(600);
    home.service().injectFault("/api/phone/system/splash.aspx", hang);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(refresh(std::chrono::milliseconds(100)), Outcome::kNoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));

    serviceSettings().serviceHost = "http://127.0.0.1:1";
    EXPECT_EQ(refresh(), Outcome::kNoAnswer);
    EXPECT_FALSE(platform::preferences().contains("splash"));
}
