#include "platform/Text.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace tovera::platform;

TEST(Text, TrimTakesAsciiBlanksOffBothEndsOnly) {
    const struct {
        std::string_view text;
        std::string_view trimmed;
    } cases[] = {
        {"", ""},
        {" \t\r\n", ""},
        {"plain", "plain"},
        {"  gzip\r\n", "gzip"},
        {"\tinner  blanks stay\t", "inner  blanks stay"},
        {"合肥市 ", "合肥市"},
        // A GB18030 or Latin-1 byte is never a blank, whatever the locale.
        {"\xA0x\xA0", "\xA0x\xA0"},
        {"\vx\f", "\vx\f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trim(c.text), c.trimmed) << '"' << c.text << '"';
}

TEST(Text, CaseInsensitiveComparisonFoldsAsciiLettersOnly) {
    const struct {
        std::string_view a, b;
        bool equal;
    } cases[] = {
        {"", "", true},
        {"GET", "get", true},
        {"Content-Encoding", "content-encoding", true},
        {"get", "gets", false},
        {"gets", "get", false},
        {"a", "", false},
        // Pairs 32 apart that are not letters must stay different.
        {"[", "{", false},
        {"@", "`", false},
        // "É" and "é" in UTF-8 differ only in bit 5 of the second byte.
        {"\xC3\x89", "\xC3\xA9", false},
        {"\xC3\xA9", "\xC3\xA9", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalsIgnoringCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

TEST(Text, PrefixTestIgnoresCaseAndNeedsTheWholePrefix) {
    const struct {
        std::string_view text, prefix;
        bool starts;
    } cases[] = {
        {"TEL:0551", "tel:", true},
        {"Multipart/form-data", "multipart/", true},
        {"tel:", "tel:", true},
        {"anything", "", true},
        {"", "", true},
        {"te", "tel:", false},
        {"", "a", false},
        {"text/plain", "tex/", false},
        {"xtel:", "tel:", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startsWithIgnoringCase(c.text, c.prefix), c.starts)
            << c.text << " / " << c.prefix;
}

TEST(Text, Utf8PrefixNeverEndsInsideACharacter) {
    const std::string_view text = "a\xE5\x9D\x87\xF0\x9F\x98\x80";  // a, 均, 😀
    const std::string_view prefixes[] = {
        "",  "a", "a", "a", "a\xE5\x9D\x87", "a\xE5\x9D\x87", "a\xE5\x9D\x87", "a\xE5\x9D\x87",
        text};
    for (std::size_t n = 0; n < std::size(prefixes); ++n)
        EXPECT_EQ(utf8Prefix(text, n), prefixes[n]) << n;
    EXPECT_EQ(utf8Prefix(text, 100), text);
}
