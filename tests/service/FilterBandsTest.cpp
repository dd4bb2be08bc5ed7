// The filter lists the service reads row indexes with are the client's
// configuration lists, and their rows stand for the bands their texts say.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "service/DemoService.h"
#include "service/PortalConfig.h"
#include "service/RangeFilter.h"

namespace tovera::test {
namespace {

using service::Range;

// The strings of array `key` of the client's configuration resource.
std::vector<std::string> configList(const std::string& key) {
    std::ifstream in(service::defaultDemoDir() + "/../config.plist");
    std::stringstream text;
    text << in.rdbuf();
    std::string plist = text.str();
    std::size_t at = plist.find("<key>" + key + "</key>");
    std::vector<std::string> entries;
    if (at == std::string::npos) return entries;
    std::size_t end = plist.find("</array>", at);
    std::string array = plist.substr(at, end - at);
    static const std::regex entry("<string>([^<]*)</string>");
    for (std::sregex_iterator it(array.begin(), array.end(), entry), last; it != last; ++it)
        entries.push_back((*it)[1]);
    return entries;
}

template <typename List>
std::vector<std::string> texts(const List& list) {
    return std::vector<std::string>(list.begin(), list.end());
}

TEST(FilterBands, TheServiceListsAreTheConfigurationLists) {
    EXPECT_EQ(texts(service::config::kPricelist), configList("pricelist"));
    EXPECT_EQ(texts(service::config::kSquare), configList("square"));
    EXPECT_EQ(texts(service::config::kSaleprice), configList("saleprice"));
    EXPECT_EQ(texts(service::config::kRentprice), configList("rentprice"));
    EXPECT_EQ(texts(service::config::kHousetype), configList("housetype"));
    EXPECT_EQ(texts(service::config::kClassic), configList("classic"));
    EXPECT_EQ(texts(service::config::kSource), configList("source"));
    EXPECT_EQ(texts(service::config::kSalestate), configList("salestate"));
    EXPECT_EQ(texts(service::config::kGalleryname), configList("galleryname"));
}

TEST(FilterBands, RowsStandForTheRangesTheirTextsName) {
    struct Case {
        const char* text;
        std::optional<Range> range;
    };
    const Case cases[] = {
        {"8000元以下", Range{0, 8000}},
        {"8000-10000元", Range{8000, 10000}},
        {"20000元以上", Range{20000}},
        {"50-80万", Range{50, 80}},
        {"144平米以上", Range{144}},
        {"不限", std::nullopt},
        {"80-50万", std::nullopt},
        {"1-2-3", std::nullopt},
        {"99999999999999999999元以下", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<Range> range = service::rangeOfText(c.text);
        ASSERT_EQ(range.has_value(), c.range.has_value());
        if (!range) continue;
        EXPECT_EQ(range->low, c.range->low);
        EXPECT_EQ(range->high, c.range->high);
    }
    // Every row but "不限" of every band list is a band, and they do not overlap.
    for (const auto& list :
         {texts(service::config::kPricelist), texts(service::config::kSquare),
          texts(service::config::kSaleprice), texts(service::config::kRentprice)}) {
        std::vector<std::string_view> views(list.begin(), list.end());
        EXPECT_FALSE(service::rangeOfRow(views, 0));
        EXPECT_FALSE(service::rangeOfRow(views, -1));
        EXPECT_FALSE(service::rangeOfRow(views, static_cast<std::int64_t>(views.size())));
        for (std::size_t row = 2; row < views.size(); ++row)
            EXPECT_EQ(service::rangeOfRow(views, row - 1)->high,
                      service::rangeOfRow(views, row)->low)
                << list[row];
    }
    auto rooms = [](std::int64_t row) {
        return service::roomsOfRow(service::config::kHousetype, row);
    };
    EXPECT_FALSE(rooms(0));
    EXPECT_EQ(rooms(3)->low, 3);
    EXPECT_EQ(rooms(3)->high, 4);
    EXPECT_EQ(rooms(5)->low, 5);
    EXPECT_EQ(rooms(5)->high, Range{}.high);
    EXPECT_FALSE(rooms(6));
}

}  // namespace
}  // namespace tovera::test
