#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "framework/NSUtil.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "tests/support/TempHome.h"

using namespace tovera;

namespace {

class Config : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setResourceDirectory(TOVERA_RESOURCE_DIR);
        platform::setLogSink([this](std::string_view line) { logs_.emplace_back(line); });
    }
    void TearDown() override {
        platform::setResourceDirectory("");
        platform::setLogSink({});
    }

    // Points the resource directory at a temporary one holding `plist`.
    void useConfig(const std::string& plist) {
        std::ofstream(resources_.path() / "config.plist") << plist;
        platform::setResourceDirectory(resources_.path().string());
    }

    tovera::testing::TempDir resources_;
    std::vector<std::string> logs_;
};

std::vector<std::string> texts(const Value& list) {
    std::vector<std::string> out;
    for (const Value& item : list.items())
        out.push_back(item.isString() ? *item.string() : "<not text>");
    return out;
}

TEST_F(Config, EveryKeyHasTheShapeItsReadersExpect) {
    // Lists whose row index is sent as a filter: row 0 means "no filter".
    for (const char* key :
         {"pricelist", "classic", "housetype", "square", "saleprice", "rentprice", "source"}) {
        const auto options = texts(NSUtil::config(key));
        ASSERT_GE(options.size(), 2u) << key;
        EXPECT_EQ(options[0], "不限") << key;
    }
    for (const char* key : {"salestate", "galleryname", "buystate", "edu", "privacy"})
        EXPECT_GE(texts(NSUtil::config(key)).size(), 3u) << key;
    EXPECT_EQ(texts(NSUtil::config("salestate")),
              (std::vector<std::string>{"待售", "在售", "尾盘", "售罄"}));

    const Value search = NSUtil::config("search");
    ASSERT_EQ(search.items().size(), 2u);
    EXPECT_EQ(texts(search[0]).size(), 6u);
    EXPECT_EQ(texts(search[1]).size(), 6u);
    EXPECT_EQ(texts(search[0])[0], "价格");

    const Value skins = NSUtil::config("skin");
    ASSERT_EQ(skins.items().size(), 3u);
    for (const Value& pair : skins.items())
        EXPECT_EQ(texts(pair).size(), 2u);
    EXPECT_EQ(texts(skins[2]), (std::vector<std::string>{"黑色", "black"}));

    EXPECT_EQ(NSUtil::config("refreshtime")[0], Value(0)) << "row 0 is no polling";
    EXPECT_EQ(NSUtil::config("refreshtime")[2].intValue(), 30);
    EXPECT_EQ(NSUtil::config("arealevel")[1].intValue(), 3);
    EXPECT_EQ(NSUtil::config("code"), Value("100"));
    EXPECT_EQ(NSUtil::config("version"), Value("1.0.0"));
    EXPECT_TRUE(NSUtil::config("no such key").isNull());
    EXPECT_TRUE(logs_.empty());
}

TEST_F(Config, PropertyListTypesBecomeValues) {
    useConfig(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>nested</key><dict><key>b</key><true/><key>r</key><real>2.5</real></dict>
  <key>negative</key><integer>-3</integer>
  <key>empty</key><array/>
</dict></plist>)");
    EXPECT_EQ(NSUtil::config("nested"), Value(Dict{{"b", true}, {"r", Number{"2.5"}}}));
    EXPECT_EQ(NSUtil::config("negative"), Value(-3));
    EXPECT_EQ(NSUtil::config("empty"), Value(Array{}));
}

TEST_F(Config, AnUnreadableResourceAnswersNothing) {
    const std::string broken[] = {
        "",
        "<plist><dict><key>code</key><string>100",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>",
        "\x89PNG\r\n\x1a\n",
    };
    for (const std::string& bytes : broken) {
        logs_.clear();
        useConfig(bytes);
        platform::setResourceDirectory(TOVERA_RESOURCE_DIR);
        EXPECT_EQ(NSUtil::config("code"), Value("100"));
        platform::setResourceDirectory(resources_.path().string());
        EXPECT_TRUE(NSUtil::config("code").isNull()) << bytes;
        EXPECT_TRUE(NSUtil::config("version").isNull()) << bytes;
        ASSERT_EQ(logs_.size(), 1u) << "logged once, not per lookup";
        EXPECT_EQ(logs_[0].rfind("Failed to read names. Error: ", 0), 0u) << logs_[0];
    }
    platform::setResourceDirectory((resources_.path() / "missing").string());
    EXPECT_TRUE(NSUtil::config("code").isNull());
}

}  // namespace
