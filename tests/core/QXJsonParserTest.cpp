#include "core/QXJsonParser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/Gb18030.h"
#include "core/QXJson.h"
#include "platform/Log.h"

using namespace tovera;
using namespace std::string_literals;

namespace {

using Trace = std::vector<std::pair<int, std::string>>;

Trace traceOf(const QXJsonBase& codec) {
    Trace trace;
    for (const Error& error : codec.errorTrace())
        trace.emplace_back(error.code, error.description);
    return trace;
}

std::string utf8(std::string_view gb) {
    return *gb18030::toUtf8(gb);
}

std::string repeat(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Keeps log lines away from stderr for the length of a test.
class QXJsonParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setLogSink([this](std::string_view line) { logged.emplace_back(line); });
    }
    void TearDown() override { platform::setLogSink({}); }

    std::vector<std::string> logged;
    QXJsonParser parser;
};

}  // namespace

TEST_F(QXJsonParserTest, ReadsWhatTheServiceSends) {
    struct Case {
        std::string input;
        Value expected;
    };
    const Case cases[] = {
        {R"({"a":,"b":1})", Dict{{"a", nullptr}, {"b", Number{"1"}}}},
        {R"([1,2,])", Array{Number{"1"}, Number{"2"}}},
        {"[1,2 , \n]", Array{Number{"1"}, Number{"2"}}},
        {R"([1 2])", Array{Number{"1"}, Number{"2"}}},
        {R"([1,,"x"])", Array{Number{"1"}, nullptr, "x"}},
        {R"([,"x"])", Array{nullptr, "x"}},
        {R"({"a":1 "b":[true false null]})",
         Dict{{"a", Number{"1"}}, {"b", Array{true, false, nullptr}}}},
        {R"({"a":1,"a":"later"})", Dict{{"a", "later"}}},
        {" \t\n\v\f\r{ \"k\" \r: \"v\" } \n", Dict{{"k", "v"}}},
        {"[\"line\nbreak\rand\ttab\"]", Array{"line\rbreak\rand\ttab"}},
        {R"(["\"\\\/\b\f\n\r\t"])", Array{"\"\\/\b\f\n\r\t"}},
        {R"(["\u00e9\u4E2D\u0041"])", Array{"é中A"}},
        {R"(["\ud834\udd1e"])", Array{"𝄞"}},
        {R"(["\ud800\udc00|\udbff\udfff"])", Array{"\U00010000|\U0010FFFF"}},
        {R"(["\u0000"])", Array{"\0"s}},
        {R"([-0,1.50,2E+10,-3.25e-7,12345678901234567890123456789])",
         Array{Number{"-0"}, Number{"1.50"}, Number{"2E+10"}, Number{"-3.25e-7"},
               Number{"12345678901234567890123456789"}}},
        {"{}", Dict{}},
        {"[ ]", Array{}},
        {R"({"a":{"b":[{}]}})", Dict{{"a", Dict{{"b", Array{Dict{}}}}}}},
        // Nothing after a NUL byte is read.
        {"{\"a\":1}\0{garbage"s, Dict{{"a", Number{"1"}}}},
    };
    for (const auto& c : cases) {
        auto value = parser.objectWithString(c.input);
        ASSERT_TRUE(value) << c.input << ": " << parser.errorTrace().back().description;
        EXPECT_EQ(*value, c.expected) << c.input;
        EXPECT_TRUE(parser.errorTrace().empty());
    }
}

TEST_F(QXJsonParserTest, LaterDuplicateKeysReplaceEarlierOnesInPlace) {
    // Small and large objects, and keys alike in length, head and tail.
    for (int count : {3, 40, 200}) {
        std::string input = "{";
        Dict expected;
        for (int i = 0; i < count; ++i) {
            const std::string key = "prefix__" + std::to_string(i) + "__suffix";
            input += "\"" + key + "\":" + std::to_string(i) + ",";
            expected.set(key, Number{std::to_string(i)});
        }
        input += "\"prefix__1__suffix\":\"again\",\"prefix__1__suffiy\":null}";
        expected.set("prefix__1__suffix", "again");
        expected.set("prefix__1__suffiy", nullptr);
        auto value = parser.objectWithString(input);
        ASSERT_TRUE(value) << count;
        EXPECT_EQ(*value, Value(expected)) << count;
        EXPECT_EQ((*value)["prefix__1__suffix"], Value("again"));
    }
}

TEST_F(QXJsonParserTest, FragmentsNeedFragmentWithString) {
    const std::pair<std::string, Value> fragments[] = {
        {R"("text")", "text"}, {" 42 ", Number{"42"}}, {"true", true}, {"null", nullptr}};
    for (const auto& [input, expected] : fragments) {
        EXPECT_FALSE(parser.objectWithString(input)) << input;
        EXPECT_EQ(traceOf(parser), (Trace{{4, "Valid fragment, but not JSON"}})) << input;
        auto value = parser.fragmentWithString(input);
        ASSERT_TRUE(value) << input;
        EXPECT_EQ(*value, expected);
    }
}

TEST_F(QXJsonParserTest, EveryFailureHasItsCodeAndText) {
    const std::string expectedArray = "Expected value while parsing array";
    struct Case {
        std::string input;
        Trace trace;
    };
    const Case cases[] = {
        {"[+1]", {{2, "Leading + disallowed in number"}, {3, expectedArray}}},
        {"[0123]", {{2, "Leading 0 disallowed in number"}, {3, expectedArray}}},
        {"[-]", {{2, "No digits after initial minus"}, {3, expectedArray}}},
        {"[1.]", {{2, "No digits after decimal point"}, {3, expectedArray}}},
        {"[1e+]", {{2, "No digits after exponent"}, {3, expectedArray}}},
        {"x", {{3, "Unrecognised leading character"}}},
        {"[nul]", {{3, "Expected 'null'"}, {3, expectedArray}}},
        {"[1,,2]", {{3, "Expected 'null'"}, {3, expectedArray}}},
        {"[tru]", {{3, "Expected 'true'"}, {3, expectedArray}}},
        {"[fals]", {{3, "Expected 'false'"}, {3, expectedArray}}},
        {"{1:2}", {{3, "Object key string expected"}}},
        {R"({"a" 1})", {{3, "Expected ':' separating key and value"}}},
        {R"({"a":, })", {{3, "Expected 'null'"}, {3, "Object value expected for key: a"}}},
        {R"({"k":[{"名":x}]})",
         {{3, "Unrecognised leading character"},
          {3, "Object value expected for key: 名"},
          {3, expectedArray},
          {3, "Object value expected for key: k"}}},
        {"[\"a\x01\"]", {{5, "Unescaped control character '0x1'"}, {3, expectedArray}}},
        {"{\"a\x1f\":1}",
         {{5, "Unescaped control character '0x1f'"}, {3, "Object key string expected"}}},
        {R"(["\u12"])",
         {{6, "Missing hex digit in quad"}, {6, "Missing hex quad"}, {3, expectedArray}}},
        {R"(["\ud800"])", {{6, "Missing low character in surrogate pair"}, {3, expectedArray}}},
        {R"(["\ud800\u12G4"])",
         {{6, "Missing hex digit in quad"},
          {6, "Missing low character in surrogate pair"},
          {3, expectedArray}}},
        {R"(["\ud800\u0041"])", {{6, "Invalid low surrogate char"}, {3, expectedArray}}},
        {R"(["\udbff\udbff"])", {{6, "Invalid low surrogate char"}, {3, expectedArray}}},
        {R"(["\udd1e"])", {{6, "Invalid high character in surrogate pair"}, {3, expectedArray}}},
        {R"(["\udc00"])", {{6, "Invalid high character in surrogate pair"}, {3, expectedArray}}},
        {R"(["\x"])", {{8, "Illegal escape sequence '0x78'"}, {3, expectedArray}}},
        {R"({"a":1,})", {{9, "Trailing comma disallowed in object"}}},
        {R"({"a":[1,2,}]})",
         {{3, "Unrecognised leading character"},
          {3, expectedArray},
          {3, "Object value expected for key: a"}}},
        {"[1] x", {{10, "Garbage after JSON"}}},
        {"{}}", {{10, "Garbage after JSON"}}},
        {"", {{11, "Unexpected end of string"}}},
        {"[  ", {{11, "Unexpected end of string"}, {3, expectedArray}}},
        {R"(["abc)", {{11, "Unexpected EOF while parsing string"}, {3, expectedArray}}},
        {R"(["abc\)", {{11, "Unexpected EOF while parsing string"}, {3, expectedArray}}},
        {"\"ab\0c\""s, {{11, "Unexpected EOF while parsing string"}}},
        {R"({"ab)",
         {{11, "Unexpected EOF while parsing string"}, {3, "Object key string expected"}}},
        {"{", {{11, "End of input while parsing object"}}},
        {R"({"a":1)", {{11, "End of input while parsing object"}}},
        {"[", {{11, "End of input while parsing array"}}},
        {"[1,", {{11, "End of input while parsing array"}}},
        {"[[1]", {{11, "End of input while parsing array"}}},
        {"[[1", {{11, "End of input while parsing array"}, {3, expectedArray}}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(parser.fragmentWithString(gb18030::fromUtf8(c.input))) << c.input;
        EXPECT_EQ(traceOf(parser), c.trace) << c.input;
    }
}

TEST_F(QXJsonParserTest, TraceRecordsChainAndFailuresAreLogged) {
    EXPECT_FALSE(parser.objectWithString(R"({"key":[1,x]})"));
    const auto& trace = parser.errorTrace();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0].domain, kQXJsonErrorDomain);
    EXPECT_EQ(trace[0].underlying, nullptr);
    ASSERT_NE(trace[2].underlying, nullptr);
    EXPECT_EQ(trace[2].underlying->description, trace[1].description);
    ASSERT_NE(trace[2].underlying->underlying, nullptr);
    EXPECT_EQ(trace[2].underlying->underlying->description, "Unrecognised leading character");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("Object value expected for key: key"), std::string::npos);

    // The next call starts with an empty trace.
    EXPECT_TRUE(parser.objectWithString("[]"));
    EXPECT_TRUE(parser.errorTrace().empty());
    EXPECT_EQ(logged.size(), 1u);
}

TEST_F(QXJsonParserTest, InputThatIsNotGb18030ReadsAsNoInput) {
    const Trace nilInput = {{12, "Input was 'nil'"}};
    const std::string inputs[] = {
        "[\"\x80\"]",
        "{\"a\":\"\xD6\"}",        // a character cut short by the quote
        "{\"\xFF\":1}",            // in a key
        "[1] \xFE",                // outside any string
        "[x, \"\x81\x30\"]",       // a syntax error comes first, but the text is unreadable
        "{\"a\":1}\0\xFF"s,        // after the NUL byte that ends the text
        "[\"\xFE\x39\xFE\x39\"]",  // a four-byte form beyond U+10FFFF
    };
    for (const auto& input : inputs) {
        EXPECT_FALSE(parser.fragmentWithString(input)) << input;
        EXPECT_EQ(traceOf(parser), nilInput) << input;
    }
    EXPECT_FALSE(parser.objectWithString(std::nullopt));
    EXPECT_EQ(traceOf(parser), nilInput);
    EXPECT_EQ(logged.size(), std::size(inputs) + 1);
}

TEST_F(QXJsonParserTest, MultiByteCharactersWithAsciiLookingTrailBytesStayWhole) {
    // Two-byte characters ending in '\\', '[', ']', '{', '}' and '@', and a
    // four-byte character made of digits and lead bytes.
    const std::string wide[] = {"\x81\x5C", "\x81\x5B", "\x81\x5D",         "\x81\x7B",
                                "\x81\x7D", "\x95\x40", "\x81\x30\x81\x30", "\x90\x30\x81\x30"};
    for (const auto& ch : wide) {
        const std::string text = utf8(ch);
        const std::string input = "{\"" + ch + "\":[\"" + ch + "\",\"a" + ch + "\\n" + ch +
                                  "\",\"" + ch + ch + "\"],\"n\":1}";
        auto value = parser.objectWithString(input);
        ASSERT_TRUE(value) << utf8(input);
        EXPECT_EQ(*value, (Value(Dict{{text, Array{text, "a" + text + "\n" + text, text + text}},
                                      {"n", Number{"1"}}})));
    }
    // A backslash trail byte right before the closing quote is not an escape.
    auto value = parser.objectWithString("[\"\x81\x5C\",\"\x81\x5C\"]");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->items().size(), 2u);
}

TEST_F(QXJsonParserTest, LongMixedStringsReadWhole) {
    std::string expected;
    std::string json = "[\"";
    for (int i = 0; i < 3000; ++i) {
        expected += "房源" + std::to_string(i) + "\t\"𝄞 ";
        json += "房源" + std::to_string(i) + "\t\\\"\\ud834\\udd1e ";
    }
    json += "\",\"" + std::string(50000, 'a') + "\"]";
    auto value = parser.objectWithString(*gb18030::fromUtf8(json));
    ASSERT_TRUE(value);
    EXPECT_EQ((*value)[0], Value(expected));
    EXPECT_EQ((*value)[1], Value(std::string(50000, 'a')));
}

TEST_F(QXJsonParserTest, DepthLimit) {
    auto nested = [](std::size_t depth) { return repeat("[", depth) + repeat("]", depth); };
    EXPECT_TRUE(parser.objectWithString(nested(512)));
    EXPECT_FALSE(parser.objectWithString(nested(513)));
    ASSERT_EQ(parser.errorTrace().size(), 513u);
    EXPECT_EQ(parser.errorTrace().front().description, "Nested too deep");
    EXPECT_EQ(parser.errorTrace().front().code, 7);

    const std::string objects = repeat("{\"a\":", 513) + "1" + repeat("}", 513);
    EXPECT_FALSE(parser.objectWithString(objects));
    EXPECT_EQ(parser.errorTrace().front().description, "Nested too deep");
    EXPECT_EQ(parser.errorTrace().back().description, "Object value expected for key: a");

    parser.setMaxDepth(2);
    EXPECT_TRUE(parser.objectWithString("[[]]"));
    EXPECT_FALSE(parser.objectWithString("[[[]]]"));
}

TEST_F(QXJsonParserTest, UnlimitedDepthSurvivesHostileNesting) {
    parser.setMaxDepth(0);
    const std::size_t ceiling = QXJsonBase::kDepthCeiling;
    EXPECT_TRUE(parser.objectWithString(repeat("[", ceiling) + repeat("]", ceiling)));
    EXPECT_FALSE(parser.objectWithString(repeat("[", ceiling + 1) + repeat("]", ceiling + 1)));
    EXPECT_EQ(parser.errorTrace().front().description, "Nested too deep");
    for (const auto& piece : {"[", "{\"k\":"}) {
        const std::string hostile = repeat(piece, 1000000);
        EXPECT_FALSE(parser.objectWithString(hostile));
        EXPECT_EQ(parser.errorTrace().front().description, "Nested too deep");
    }
}

TEST_F(QXJsonParserTest, FacadeHandsBackTheLastRecord) {
    QXJson json;
    Error error;
    EXPECT_FALSE(json.objectWithString(R"({"a":[)", &error));
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.description, "Object value expected for key: a");
    EXPECT_EQ(error.domain, kQXJsonErrorDomain);
    ASSERT_NE(error.underlying, nullptr);
    EXPECT_EQ(error.underlying->description, "End of input while parsing array");

    EXPECT_FALSE(json.fragmentWithString(std::nullopt, &error));
    EXPECT_EQ(error.code, 12);
    EXPECT_TRUE(json.fragmentWithString("1", &error));

    json.setMaxDepth(1);
    EXPECT_FALSE(json.objectWithString("[[]]", &error));
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(json.parser().errorTrace().front().code, 7);
    EXPECT_FALSE(json.stringWithObject(Array{Array{}}, &error));
    EXPECT_EQ(error.description, "Nested too deep");
}
