#include "core/QXJsonWriter.h"

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

std::vector<std::pair<int, std::string>> traceOf(const QXJsonBase& codec) {
    std::vector<std::pair<int, std::string>> trace;
    for (const Error& error : codec.errorTrace())
        trace.emplace_back(error.code, error.description);
    return trace;
}

const Value kListing = Dict{
    {"title", "阳光花园 三室两厅"},
    {"id", Number{"1024"}},
    {"tags", Array{"近地铁", true, nullptr, Number{"-1.5e3"}}},
    {"empty", Dict{}},
    {"none", Array{}},
    {"agent", Dict{{"name", "王先生"}, {"phone", "0551-6000000"}}},
};

}  // namespace

TEST(QXJsonWriter, CompactOutputKeepsDictionaryOrder) {
    QXJsonWriter writer;
    EXPECT_EQ(*writer.stringWithObject(kListing),
              R"({"title":"阳光花园 三室两厅","id":1024,"tags":["近地铁",true,null,-1.5e3],)"
              R"("empty":{},"none":[],"agent":{"name":"王先生","phone":"0551-6000000"}})");
}

TEST(QXJsonWriter, HumanReadableSortedOutput) {
    QXJsonWriter writer;
    writer.setHumanReadable(true);
    writer.setSortKeys(true);
    EXPECT_EQ(*writer.stringWithObject(kListing), R"({
  "agent" : {
    "name" : "王先生",
    "phone" : "0551-6000000"
  },
  "empty" : {},
  "id" : 1024,
  "none" : [],
  "tags" : [
    "近地铁",
    true,
    null,
    -1.5e3
  ],
  "title" : "阳光花园 三室两厅"
})");
    EXPECT_EQ(*writer.stringWithObject(Array{}), "[]");
}

TEST(QXJsonWriter, EscapesControlsQuotesAndBackslashesOnly) {
    QXJsonWriter writer;
    const Value text = "q\"b\\s/\b\f\n\r\t\x01\x1f\0中"s;
    EXPECT_EQ(*writer.stringWithFragment(text), R"("q\"b\\s/\b\f\n\r\t\u0001\u001f\u0000中")");
    EXPECT_EQ(*writer.stringWithFragment(Number{"007.50"}), "007.50");
    EXPECT_EQ(*writer.stringWithFragment(nullptr), "null");
    EXPECT_EQ(*writer.stringWithFragment(false), "false");
}

TEST(QXJsonWriter, Failures) {
    QXJsonWriter writer;
    for (const Value& scalar : {Value("text"), Value(1), Value(nullptr), Value(true)}) {
        EXPECT_FALSE(writer.stringWithObject(scalar));
        EXPECT_EQ(traceOf(writer), (decltype(traceOf(writer)){{4, "Not valid type for JSON"}}));
    }
    const Value withData = Dict{{"ok", 1}, {"pic", Data{"\x89PNG", true}}};
    EXPECT_FALSE(writer.stringWithObject(withData));
    EXPECT_EQ(traceOf(writer),
              (decltype(traceOf(writer)){{1, "JSON serialisation not supported for Data"},
                                         {1, "Unsupported value for key pic in object"}}));
    EXPECT_FALSE(writer.stringWithFragment(Array{Data{}}));
    EXPECT_EQ(traceOf(writer),
              (decltype(traceOf(writer)){{1, "JSON serialisation not supported for Data"}}));

    writer.setMaxDepth(2);
    EXPECT_TRUE(writer.stringWithObject(Array{Array{}}));
    EXPECT_FALSE(writer.stringWithObject(Dict{{"a", Array{Array{}}}}));
    EXPECT_EQ(traceOf(writer),
              (decltype(traceOf(writer)){{7, "Nested too deep"},
                                         {1, "Unsupported value for key a in object"}}));
    // The next call starts afresh.
    EXPECT_TRUE(writer.stringWithObject(Dict{}));
    EXPECT_TRUE(writer.errorTrace().empty());
}

TEST(QXJsonWriter, RoundTripsThroughTheReader) {
    Value deep = Array{"底", Number{"0"}};
    for (int i = 0; i < 40; ++i)
        deep = Dict{{"层" + std::to_string(i), Array{deep, "\\]}" + std::to_string(i)}}};
    const Value values[] = {
        kListing,
        Dict{{"控制\x01\t\n", "\"引号\" \\反斜杠\\ 𝄞 €"}, {"list", Array{Dict{}, Array{}}}},
        deep,
    };
    for (bool humanReadable : {false, true}) {
        QXJson json;
        json.setHumanReadable(humanReadable);
        for (const Value& value : values) {
            auto text = json.stringWithObject(value);
            ASSERT_TRUE(text);
            auto bytes = gb18030::fromUtf8(*text);
            ASSERT_TRUE(bytes);
            auto back = json.objectWithString(*bytes);
            ASSERT_TRUE(back) << *text;
            EXPECT_EQ(*back, value);
        }
    }
}

TEST(QXJsonWriter, WritesTheDeepestTreeTheReaderAccepts) {
    QXJson json;
    json.setMaxDepth(0);
    const std::size_t depth = QXJsonBase::kDepthCeiling;
    const std::string text = std::string(depth, '[') + std::string(depth, ']');
    auto value = json.objectWithString(text);
    ASSERT_TRUE(value);
    EXPECT_EQ(json.stringWithObject(*value), text);
}
