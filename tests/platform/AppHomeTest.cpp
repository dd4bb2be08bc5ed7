#include "platform/AppHome.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/TempHome.h"

using namespace tovera::platform;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(AppHome, TheHomeComesFromTheArgumentThenXdgThenHome) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data");
        EXPECT_EQ(homeDirectory(), "/data/tovera");
        setHomeDirectory("/srv/tovera-home");
        EXPECT_EQ(homeDirectory(), "/srv/tovera-home");
        setHomeDirectory("relative/dir");
        EXPECT_EQ(homeDirectory(), (fs::current_path() / "relative/dir").string());
        setHomeDirectory("");
    }
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative"}) {
        ScopedEnv unset("XDG_DATA_HOME", xdg);
        EXPECT_EQ(homeDirectory(), "/home/someone/.local/share/tovera");
    }
}

TEST(AppHome, DirectoriesAreCreatedOwnerOnlyOnDemand) {
    tovera::testing::TempHome home;
    const fs::path root = home.path() / "nested/home";
    setHomeDirectory(root.string());
    EXPECT_FALSE(fs::exists(root));
    EXPECT_EQ(documentsDirectory(), (root / "Documents").string());
    EXPECT_EQ(preferencesDirectory(), (root / "Library/Preferences").string());
    for (const fs::path& dir : {root, root / "Documents", root / "Library/Preferences"}) {
        struct stat st {};
        ASSERT_EQ(::stat(dir.c_str(), &st), 0) << dir;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << dir;
    }
}

TEST(AppHome, ResourcesAreFoundInTheSourceTreeOrWhereSet) {
    EXPECT_TRUE(fs::exists(fs::path(resourceDirectory()) / "config.plist")) << resourceDirectory();
    EXPECT_TRUE(fs::equivalent(resourceDirectory(), TOVERA_RESOURCE_DIR));
    setResourceDirectory("/opt/tovera/resources");
    EXPECT_EQ(resourceDirectory(), "/opt/tovera/resources");
    setResourceDirectory("");
}

TEST(AppHome, NamesFromOutsideAreCheckedBeforeBecomingFileNames) {
    using namespace std::string_view_literals;
    for (std::string_view ok : {"a.jpg"sv, "http%3A%2F%2Fh%2Fa.jpg"sv, "..a"sv, "楼盘.png"sv})
        EXPECT_TRUE(isSafeFileName(ok)) << ok;
    for (std::string_view bad : {""sv, "."sv, ".."sv, "../x"sv, "a/b"sv, "/etc"sv, "a\0b"sv})
        EXPECT_FALSE(isSafeFileName(bad)) << bad;
    EXPECT_TRUE(isSafeFileName(std::string(255, 'n')));
    EXPECT_FALSE(isSafeFileName(std::string(256, 'n')));
}

}  // namespace
