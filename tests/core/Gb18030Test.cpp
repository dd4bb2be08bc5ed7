#include "core/Gb18030.h"

#include <gtest/gtest.h>

using namespace tovera;

namespace {

// "中文" in GB18030.
const std::string kZhongWen = "\xD6\xD0\xCE\xC4";

}  // namespace

TEST(Gb18030, RoundTripsEveryForm) {
    const std::string samples[] = {
        "plain ascii",
        "中文 text",
        "€",         // two-byte form 0xA2E3
        "\xC2\x80",  // U+0080: four-byte form 81 30 81 30
        "𝄞",         // supplementary plane: four-byte form from 0x90
        "ÿ é ß ©",
        "\xEF\xBF\xBC",  // U+FFFC
    };
    for (const auto& text : samples) {
        auto gb = gb18030::fromUtf8(text);
        ASSERT_TRUE(gb) << text;
        auto back = gb18030::toUtf8(*gb);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, text);
    }
    EXPECT_EQ(*gb18030::fromUtf8("中文"), kZhongWen);
    EXPECT_EQ(*gb18030::fromUtf8("\xC2\x80"), std::string("\x81\x30\x81\x30"));
}

TEST(Gb18030, RejectsInvalidSequences) {
    const std::string invalid[] = {
        "\x80", "\xFF", "\xD6", "\x81\x30", "\x81\x30\x81", "\x81\x20", "\xFE\x39\xFE\x39"};
    for (const auto& bytes : invalid)
        EXPECT_FALSE(gb18030::toUtf8(bytes)) << bytes.size();
    EXPECT_EQ(gb18030::toUtf8Lossy("a\x80z"), "a\xEF\xBF\xBDz");
    EXPECT_FALSE(gb18030::fromUtf8("bad \xC3"));
    EXPECT_FALSE(gb18030::fromUtf8("\xED\xA0\x80"));  // an encoded surrogate
    EXPECT_EQ(gb18030::fromUtf8Lossy("a\xC3z"), "a?z");
}

TEST(Gb18030, TrailingBytesThatLookLikeAsciiStayInsideTheirCharacter) {
    // Two-byte characters whose trailing byte is '\\', '[', ']', '{', '}' or '@'.
    for (unsigned char trail : {0x5C, 0x5B, 0x5D, 0x7B, 0x7D, 0x40}) {
        const std::string bytes = {'\x81', static_cast<char>(trail)};
        char32_t c = 0;
        EXPECT_EQ(gb18030::decodeChar(bytes, c), 2u);
        EXPECT_GT(c, 0x7Fu);
    }
}
