#include "core/Value.h"

#include <gtest/gtest.h>

using namespace tovera;

TEST(Value, ReadingOperationsFollowTheDefaultRules) {
    Dict d{{"s", "text"},         {"n", Number{"42"}}, {"null", nullptr},      {"b", true},
           {"list", Array{1, 2}}, {"neg", " -17abc"},  {"big", Number{"1e12"}}};
    EXPECT_EQ(d.getStringValueForKey("s", "x"), "text");
    EXPECT_EQ(d.getStringValueForKey("n", "x"), "42");  // a number keeps its digits
    EXPECT_EQ(d.getStringValueForKey("null", "x"), "x");
    EXPECT_EQ(d.getStringValueForKey("missing", "x"), "x");
    EXPECT_EQ(d.getStringValueForKey("list", "x"), "x");

    EXPECT_EQ(d.getIntValueForKey("null", 5), 5);
    EXPECT_EQ(d.getIntValueForKey("missing", 5), 0);
    EXPECT_EQ(d.getIntValueForKey("n", 5), 42);
    EXPECT_EQ(d.getIntValueForKey("neg", 5), -17);
    EXPECT_EQ(d.getIntValueForKey("s", 5), 0);
    EXPECT_EQ(d.getIntValueForKey("big", 5), INT_MAX);

    EXPECT_TRUE(d.getBoolValueForKey("null", true));
    EXPECT_FALSE(d.getBoolValueForKey("missing", true));
    EXPECT_TRUE(d.getBoolValueForKey("b", false));
    EXPECT_TRUE(d.getBoolValueForKey("n", false));
}

TEST(Value, TextBoolAndIntConversions) {
    struct Case {
        Value v;
        int i;
        bool b;
    };
    const Case cases[] = {
        {"YES", 0, true},
        {"no", 0, false},
        {"  t", 0, true},
        {"0001", 1, true},
        {"-0", 0, false},
        {"+12x", 12, true},
        {"99999999999", INT_MAX, true},
        {Number{"3.9"}, 3, true},
        {Number{"-2.5e1"}, -25, true},
        {Number{"0.0"}, 0, false},
        {false, 0, false},
        {"", 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.v.intValue(), c.i) << c.v.toText();
        EXPECT_EQ(c.v.boolValue(), c.b) << c.v.toText();
    }
}

TEST(Value, ReadingAKeyOfANonDictionaryGivesTheDefault) {
    const Value top = Array{Dict{{"a", 1}}};
    EXPECT_EQ(top.getStringValueForKey("a", "d"), "d");
    EXPECT_EQ(top.getIntValueForKey("a", 7), 7);
    EXPECT_TRUE(top["a"]["b"][3].isNull());
    EXPECT_EQ(top[0].getIntValueForKey("a", 7), 1);
    EXPECT_TRUE(top[9].isNull());
}

TEST(Value, SetStringStoresTextFormAndIgnoresMissingValues) {
    Dict d;
    d.setString(20, "size");
    d.setString(true, "flag");
    d.setString("x", "t");
    d.setString(nullptr, "t");
    EXPECT_EQ(d["size"], Value("20"));
    EXPECT_EQ(d["flag"], Value("1"));
    EXPECT_EQ(d["t"], Value("x"));
}

TEST(Dict, KeepsInsertionOrderAndReplacesInPlace) {
    Dict d;
    for (int i = 0; i < 40; ++i)
        d.set("k" + std::to_string(i), i);  // past the index threshold
    d.set("k3", "again");
    ASSERT_EQ(d.size(), 40u);
    EXPECT_EQ(d.begin()[3].second, Value("again"));
    EXPECT_TRUE(d.remove("k0"));
    EXPECT_FALSE(d.remove("k0"));
    EXPECT_EQ(d.begin()->first, "k1");
    EXPECT_EQ(d["k39"], Value(39));
    Dict copy = d;
    copy.set("k39", "changed");
    EXPECT_EQ(d["k39"], Value(39));
    EXPECT_EQ(copy["k39"], Value("changed"));
    EXPECT_EQ(copy["k38"], Value(38));
}
