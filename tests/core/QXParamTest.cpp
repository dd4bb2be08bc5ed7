#include "core/QXParam.h"

#include <gtest/gtest.h>

using namespace tovera;

TEST(QXParam, FreshRecordSendsNothingButReadsDefaults) {
    QXParam p;
    EXPECT_TRUE(p.param().empty());
    EXPECT_EQ(p.page(), "1");
    EXPECT_EQ(p.size(), "10");
    EXPECT_EQ(p.rid(), "0");
    EXPECT_EQ(p.api(), "oldhouse");
    EXPECT_FALSE(p.search());
    EXPECT_TRUE(p.param().empty());
}

TEST(QXParam, SettersWriteTheirWireKeys) {
    QXParam p;
    p.setSize(20);
    p.setType(3);
    p.setOperate(1);
    p.setKeyWord("中心");
    p.setRid(nullptr);  // a missing value changes nothing
    EXPECT_EQ(p.param()["size"], Value("20"));
    EXPECT_EQ(p.param()["count"], Value("20"));
    EXPECT_EQ(p.param()["t"], Value("3"));
    EXPECT_EQ(p.param()["type"], Value("3"));
    EXPECT_EQ(p.param()["operate"], Value("1"));
    EXPECT_EQ(p.param()["code"], Value("1"));
    EXPECT_EQ(p.param()["q"], Value("中心"));
    EXPECT_FALSE(p.param().contains("id"));
    EXPECT_EQ(p.type(), "3");
    EXPECT_EQ(p.operate(), "1");
}

TEST(QXParam, SharedKeysAndOneWayFlags) {
    QXParam p;
    p.setJian("1");
    p.setRemcommand("2");
    EXPECT_EQ(p.jian(), "2");
    p.setSearch(true);
    p.setSearch(false);
    EXPECT_EQ(p.param()["force"], Value("1"));
    EXPECT_TRUE(p.search());
}

TEST(QXParam, MergedNullReadsAsDefaultAndDataIsKept) {
    QXParam p;
    p.setParam(Dict{{"page", nullptr}, {"pic1", Data{"png", true}}, {"id", Number{"7"}}});
    EXPECT_EQ(p.page(), "1");
    EXPECT_TRUE(p.param()["pic1"].isData());
    EXPECT_EQ(p.rid(), "7");
}
