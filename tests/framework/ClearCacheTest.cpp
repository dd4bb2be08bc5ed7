#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "framework/NSUtil.h"
#include "platform/AppHome.h"
#include "platform/Preferences.h"
#include "tests/support/TempHome.h"

using namespace tovera;
namespace fs = std::filesystem;

namespace {

class ClearCache : public ::testing::Test {
protected:
    // Writes `name` with a modification time `age` seconds in the past.
    void file(const std::string& name, int age) {
        const fs::path path = fs::path(platform::documentsDirectory()) / name;
        std::ofstream(path) << name;
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(age));
    }
    // Fills the cache with `count` pictures, "pic0" the newest.
    void pictures(int count) {
        for (int i = 0; i < count; ++i)
            file("pic" + std::to_string(i), 100 + i);
    }
    std::set<std::string> remaining() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(platform::documentsDirectory()))
            names.insert(entry.path().filename().string());
        return names;
    }

    tovera::testing::TempHome home_;
};

TEST_F(ClearCache, AHundredFilesAreLeftAlone) {
    pictures(100);
    NSUtil::clearCache();
    EXPECT_EQ(remaining().size(), 100u);
}

TEST_F(ClearCache, AtAHundredAndOneOnlyTheNewestPictureStays) {
    pictures(101);
    NSUtil::clearCache();
    EXPECT_EQ(remaining(), (std::set<std::string>{"pic0"}));
}

TEST_F(ClearCache, TheDatabaseItsSideFilesAndTheSplashSurvive) {
    pictures(97);
    const std::set<std::string> kept = {"tovera.sqlite",     "tovera.sqlite-journal",
                                        "tovera.sqlite-wal", "tovera.sqlite-shm",
                                        "cache.db",          "splash_v1.png"};
    int age = 1000;
    for (const std::string& name : kept)
        file(name, age++);
    platform::preferences().setString("splash", "splash_v1.png");
    fs::create_directory(fs::path(platform::documentsDirectory()) / "folder");

    NSUtil::clearCache();
    std::set<std::string> expected = kept;
    expected.insert("pic0");
    expected.insert("folder");
    EXPECT_EQ(remaining(), expected);
}

}  // namespace
