#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/NSUtil.h"
#include "platform/Preferences.h"
#include "tests/support/TempHome.h"

using namespace tovera;

namespace {

using Pieces = std::vector<std::string>;

TEST(Explode, SplitsBySeparatorOrElseByComma) {
    const struct {
        const char* text;
        const char* split;
        Pieces pieces;
    } cases[] = {
        {"a|b", "|", {"a", "b"}},
        {"a,b", "|", {"a", "b"}},  // no "|": the comma decides
        {"a", "|", {"a"}},
        {"", "|", {}},
        {"a||b|", "|", {"a", "", "b", ""}},  // empty pieces kept
        {"a,b|c", "|", {"a,b", "c"}},        // "|" wins over ","
        {"x::y::z", "::", {"x", "y", "z"}},
        {"http://h/p.jpg", "|", {"http://h/p.jpg"}},
        {"a,b", "", {"a", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NSUtil::explode(c.text, c.split), c.pieces) << c.text;
}

TEST(IsEmailAddress, NeedsANameAnAtSignAndADottedDomain) {
    const struct {
        const char* text;
        bool email;
    } cases[] = {
        {"user@example.com", true},
        {"a@b.c", true},
        {"@.", false},
        {"user@example", false},
        {"user.name@x", false},
        {"example.com", false},
        {"", false},
        {"a.b@c.d", true},
        {"@example.com", false},
        {"a@.com", false},
        {"a@example.", false},
        {"a@b@c.d", false},
        {"a b@c.d", false},
        {"a@b..c", false},
        {"王@例子.中国", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NSUtil::isEmailAddress(c.text), c.email) << c.text;
}

TEST(Skin, FramesTheUnderscoresOfTheFirstFiveCharacters) {
    tovera::testing::TempHome home;
    const struct {
        const char* skin;
        const char* image;
        const char* name;
    } cases[] = {
        {"orange", "fic_tovera", "fic_orange_tovera"},
        {"orange", "splash", "splash"},
        {"black", "top_tab_on_bg", "top_black_tab_on_bg"},
        {"default", "top_bg", "top_default_bg"},
        {"black", "a_b_cd_e", "a_black_b_black_cd_e"},  // the fifth character is the last
        {"black", "中文_x", "中文_black_x"},            // characters, not bytes
        {"", "top_bg", "top_orange_bg"},                // no preference: orange
    };
    for (const auto& c : cases)
        EXPECT_EQ(NSUtil::skin(c.skin, c.image), c.name) << c.image;

    platform::preferences().setString("skin", "black");
    EXPECT_EQ(NSUtil::skin("", "top_bg"), "top_black_bg");
    EXPECT_EQ(NSUtil::skinName(""), "black");
    EXPECT_EQ(NSUtil::skinName("default"), "default");
    platform::preferences().setString("skin", "");
    EXPECT_EQ(NSUtil::skinName(""), "orange");
}

}  // namespace
