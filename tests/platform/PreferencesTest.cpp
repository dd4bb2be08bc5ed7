#include "platform/Preferences.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AppHome.h"
#include "tests/support/TempHome.h"

using namespace tovera::platform;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class PreferencesTest : public ::testing::Test {
protected:
    tovera::testing::TempHome home_;
    const fs::path file_ = home_.path() / "Library/Preferences/tovera.prefs";
};

// Every key the application keeps, with values chosen to break a naive line
// format: separators, escapes, line breaks, Chinese, empty texts and items.
void fill(Preferences& p) {
    p.setString("id", "12");
    p.setString("username", "李华");
    p.setString("password", "pa=ss\\n\tword\nline2\r");
    p.setString("completion", "");
    p.setBool("autologin", true);
    p.setBool("remember", false);
    p.setBool("relogin", true);
    p.setBool("update", true);
    p.setString("cityid", "3401");
    p.setString("city", "合肥");
    p.setString("geo", "31.86,117.28");
    p.setString("skin", "black");
    p.setString("splash", "splash 1.jpg");
    p.setList("lastupdatetime", {"2012-05-01 10:00:00", "0", "", "\t\\"});
    p.setString("refreshtime", "2");
    p.setString("RefreshTableView_LastRefresh", "最后更新: 05/01/2012 10:00");
    p.setList("empty list", {});
    p.setList("one empty item", {""});
    p.setString("key=with\nbreak", "=");
}

TEST_F(PreferencesTest, EveryValueSurvivesARestart) {
    Preferences written(file_.string());
    fill(written);
    ASSERT_TRUE(written.synchronize());

    Preferences expected("/nonexistent/never-written");
    fill(expected);
    Preferences read(file_.string());
    for (const char* key :
         {"id", "username", "password", "completion", "cityid", "city", "geo", "skin", "splash",
          "refreshtime", "RefreshTableView_LastRefresh", "key=with\nbreak"})
        EXPECT_EQ(read.string(key), expected.string(key)) << key;
    for (const char* key : {"autologin", "remember", "relogin", "update"})
        EXPECT_EQ(read.boolean(key), expected.boolean(key)) << key;
    for (const char* key : {"lastupdatetime", "empty list", "one empty item"})
        EXPECT_EQ(read.list(key), expected.list(key)) << key;

    struct stat st {};
    ASSERT_EQ(::stat(file_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(PreferencesTest, ValuesReadAcrossTypes) {
    Preferences p(file_.string());
    p.setString("yes", "YES");
    p.setString("zero", "0");
    p.setString("number", " -007");
    p.setBool("flag", true);
    p.setList("list", {"1"});
    EXPECT_TRUE(p.boolean("yes"));
    EXPECT_FALSE(p.boolean("zero"));
    EXPECT_TRUE(p.boolean("number"));
    EXPECT_FALSE(p.boolean("list"));
    EXPECT_FALSE(p.boolean("missing"));
    EXPECT_EQ(p.string("flag"), "1");
    EXPECT_EQ(p.string("list"), std::nullopt);
    EXPECT_EQ(p.list("yes"), std::nullopt);

    p.remove("yes");
    EXPECT_FALSE(p.contains("yes"));
    ASSERT_TRUE(p.synchronize());
    EXPECT_FALSE(Preferences(file_.string()).contains("yes"));
}

TEST_F(PreferencesTest, ADamagedFileReadsEmptyAndIsKeptUntilTheNextWriteOut) {
    const std::string damaged[] = {
        "garbage\n",
        "tovera-preferences 1\ns\tcity\t合肥\n",              // cut off before "end"
        "tovera-preferences 1\ns\tcity\t合肥\nend",           // last line unterminated
        "tovera-preferences 1\ns\tcity\tbad\\escape\nend\n",  // unknown escape
        "tovera-preferences 1\nb\tflag\t2\nend\n",
        "tovera-preferences 1\nx\tkey\tvalue\nend\n",
        "tovera-preferences 1\ns\tcity\nend\n",
        "tovera-preferences 1\nend\nmore\n",
        std::string("\0\xff\xfe", 3),
    };
    for (const std::string& bytes : damaged) {
        writeFile(file_, bytes);
        fs::remove(file_.string() + ".corrupt");
        Preferences p(file_.string());
        EXPECT_FALSE(p.contains("city")) << bytes;
        EXPECT_TRUE(p.synchronize());
        EXPECT_EQ(readFile(file_), bytes) << "an unchanged store writes nothing";
        EXPECT_EQ(readFile(file_.string() + ".corrupt"), bytes);

        p.setString("city", "芜湖");
        ASSERT_TRUE(p.synchronize());
        EXPECT_EQ(Preferences(file_.string()).string("city"), "芜湖");
        EXPECT_EQ(readFile(file_.string() + ".corrupt"), bytes);
    }
}

TEST_F(PreferencesTest, AFailedWriteOutKeepsTheChanges) {
    writeFile(home_.path() / "file", "x");
    Preferences p((home_.path() / "file/tovera.prefs").string());
    p.setString("city", "合肥");
    EXPECT_FALSE(p.synchronize());
    EXPECT_EQ(p.string("city"), "合肥");
}

TEST_F(PreferencesTest, TheProcessStoreFollowsTheHome) {
    EXPECT_FALSE(preferences().contains("cityid"));
    EXPECT_FALSE(fs::exists(file_.parent_path())) << "reading creates nothing";
    preferences().setString("cityid", "3401");
    ASSERT_TRUE(preferences().synchronize());
    EXPECT_EQ(preferences().path(), file_.string());
    {
        tovera::testing::TempHome other;
        EXPECT_FALSE(preferences().contains("cityid"));
    }
    setHomeDirectory(home_.path().string());
    EXPECT_EQ(preferences().string("cityid"), "3401");
}

}  // namespace
