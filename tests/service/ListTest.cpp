// Paging, "total" and city scoping of the list operations.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class ServiceLists : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service_ = new RunningService(); }
    static void TearDownTestSuite() {
        delete service_;
        service_ = nullptr;
    }
    static RunningService* service_;
    ApiClient api_{*service_};
};

RunningService* ServiceLists::service_ = nullptr;

std::set<std::string> ids(const Value& reply) {
    std::set<std::string> out;
    for (const Value& row : reply["result"].items())
        out.insert(row["id"].toText());
    return out;
}

TEST_F(ServiceLists, PagesSplitTheListWithoutOverlapAndKeepTheTrueTotal) {
    struct Case {
        std::string path;
        Params params;
    };
    const Case cases[] = {
        {"news/search.aspx", {{"cityid", "3401"}}},
        {"system/home.aspx", {{"cityid", "3401"}, {"t", "4"}}},
        {"system/comment_list.aspx", {{"t", "8"}, {"cityid", "3401"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Params first = c.params;
        first.insert(first.end(), {{"page", "1"}, {"size", "5"}});
        Params second = c.params;
        second.insert(second.end(), {{"page", "2"}, {"size", "5"}});
        Params beyond = c.params;
        beyond.insert(beyond.end(), {{"page", "999"}, {"size", "5"}});
        Value one = api_.get(c.path, first);
        Value two = api_.get(c.path, second);
        Value past = api_.get(c.path, beyond);
        EXPECT_EQ(one["result"].items().size(), 5u);
        EXPECT_EQ(ids(two).size(), 5u);
        for (const std::string& id : ids(two))
            EXPECT_EQ(ids(one).count(id), 0u) << id;
        EXPECT_GT(one["total"].intValue(), 10);
        EXPECT_EQ(one["total"].intValue(), two["total"].intValue());
        EXPECT_TRUE(past["result"].items().empty());
        EXPECT_EQ(past["total"].intValue(), one["total"].intValue());
    }
}

TEST_F(ServiceLists, PageSizeComesFromSizeThenCountAndIsClamped) {
    auto rows = [&](Params params) {
        params.emplace_back("cityid", "3401");
        return api_.get("news/search.aspx", params)["result"].items().size();
    };
    EXPECT_EQ(rows({}), 10u);
    EXPECT_EQ(rows({{"count", "3"}}), 3u);
    EXPECT_EQ(rows({{"size", "4"}, {"count", "3"}}), 4u);
    EXPECT_EQ(rows({{"size", "500"}}), 50u);
    EXPECT_EQ(rows({{"size", "0"}}), 1u);
    EXPECT_EQ(rows({{"page", "-3"}, {"size", "2"}}), 2u);
}

TEST_F(ServiceLists, RegionalListsFollowTheCityAndFallBackTo3401) {
    Value cities = api_.get("system/citylist.aspx", {{"cityid", "3405"}});
    EXPECT_EQ(cities["total"].intValue(), 10) << "the city list ignores cityid";
    std::set<std::string> wuhu;
    Value projects = api_.get("system/cityinfo.aspx", {{"t", "3"}, {"city", "3402"}});
    for (const Value& row : projects["result"].items())
        wuhu.insert(row["id"].toText());
    ASSERT_FALSE(wuhu.empty());
    Value home = api_.get("system/home.aspx", {{"cityid", "3402"}, {"size", "50"}});
    ASSERT_FALSE(home["result"].items().empty());
    for (const Value& row : home["result"].items())
        EXPECT_EQ(wuhu.count(row["id"].toText()), 1u);

    auto homeTotal = [&](Params city) {
        return api_.get("system/home.aspx", city)["total"].intValue();
    };
    EXPECT_EQ(homeTotal({}), homeTotal({{"cityid", "3401"}}));
    EXPECT_EQ(homeTotal({{"cityid", "1100"}}), homeTotal({{"cityid", "3401"}}));
    EXPECT_EQ(homeTotal({{"cityid", "abc"}}), homeTotal({{"cityid", "3401"}}));
    EXPECT_NE(homeTotal({{"cityid", "3402"}}), homeTotal({{"cityid", "3401"}}));

    // Portal-wide articles (city 0) are in every city's list.
    int neutral = 10;
    EXPECT_EQ(api_.get("news/search.aspx", {{"cityid", "3403"}})["total"].intValue(), 8 + neutral);
}

TEST_F(ServiceLists, ArticleSearchMatchesTitleOrLeadAndProject) {
    Value all = api_.get("news/search.aspx", {{"cityid", "3401"}});
    Value found = api_.get("news/search.aspx", {{"cityid", "3401"}, {"q", "<5%"}});
    ASSERT_EQ(found["total"].intValue(), 1);
    EXPECT_NE(found["result"][0]["title"].toText().find("<5%"), std::string::npos);
    EXPECT_EQ(api_.get("news/search.aspx", {{"q", "没有这样的词"}})["total"].intValue(), 0);
    EXPECT_LT(api_.get("news/search.aspx", {{"q", "合肥"}})["total"].intValue(),
              all["total"].intValue());
    // Articles about a project come from any city.
    int aboutProject =
        api_.get("news/search.aspx", {{"hid", "1001"}, {"cityid", "3409"}})["total"].intValue();
    EXPECT_GT(aboutProject, 0);
    EXPECT_EQ(api_.get("news/search.aspx", {{"hid", "1001"}})["total"].intValue(), aboutProject);
}

TEST_F(ServiceLists, ReplyListLeavesOutTheBestAnswerAndKeepsEverythingOnPageOne) {
    // 60005 has twelve answers and a best one.
    Value page1 = api_.get("system/reply_list.aspx", {{"id", "60005"}, {"page", "1"}});
    Value page2 = api_.get("system/reply_list.aspx", {{"id", "60005"}, {"page", "2"}});
    EXPECT_EQ(page1["result"].items().size(), 11u);
    EXPECT_EQ(page1["total"].intValue(), 11);
    EXPECT_TRUE(page2["result"].items().empty());
    EXPECT_EQ(page2["total"].intValue(), 11);
    EXPECT_EQ(api_.get("system/reply_list.aspx", {{"id", "1"}})["total"].intValue(), 0);
}

TEST_F(ServiceLists, PersonalTabsAreEmptyForAnonymousCallers) {
    for (const char* type : {"7", "9"}) {
        Value reply = api_.get("system/comment_list.aspx", {{"t", type}});
        EXPECT_FALSE(reply.dict()->contains("code"));
        EXPECT_TRUE(reply["result"].items().empty());
        EXPECT_EQ(reply["total"].intValue(), 0);
    }
    Value pins = api_.get("system/location.aspx", {{"t", "5"}, {"lat", "31.86"}, {"lon", "117.3"}});
    EXPECT_TRUE(pins["result"].items().empty());
    Value counts = api_.get("user/newmsg.aspx", {{"lasttime", "0,0,0,0"}});
    EXPECT_EQ(counts["number"].toText(), "0,0,0,0");
    EXPECT_FALSE(counts.dict()->contains("code"));
}

TEST_F(ServiceLists, NearbyPinsAreWithinTheRangeAndNearestFirst) {
    auto pins = [&](const char* limit) {
        return api_.get(
            "system/location.aspx",
            {{"t", "1"}, {"lat", "31.859207"}, {"lon", "117.307570"}, {"limit", limit}});
    };
    Value near = pins("0");
    Value wide = pins("4");
    Value beyond = pins("99");  // out of range: the widest radius
    EXPECT_LE(near["total"].intValue(), wide["total"].intValue());
    EXPECT_EQ(beyond["total"].intValue(), wide["total"].intValue());
    ASSERT_GT(wide["total"].intValue(), 1);
    for (const Value& pin : wide["result"].items())
        EXPECT_NE(pin["latitude"].toText(), "");
}

}  // namespace
}  // namespace tovera::test
