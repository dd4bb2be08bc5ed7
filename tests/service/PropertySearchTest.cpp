// The property searches narrow their results as a user expects: every
// filter row keeps only what it names, row 0 ("不限") and untouched fields
// keep everything, and the sort orders hold across the list.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>
#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

using RowCheck = std::function<bool(const Value& row)>;

int number(const Value& row, const char* key) {
    return row[key].intValue();
}

RowCheck between(const char* key, int low, int high) {
    return [=](const Value& row) {
        int value = number(row, key);
        return value > 0 && value >= low && value < high;
    };
}

RowCheck equals(const char* key, std::string text) {
    return [=](const Value& row) { return row[key].toText() == text; };
}

class PropertySearch : public ::testing::Test {
protected:
    // Every row of every page of a search.
    Array all(const std::string& path, Params params) {
        Array rows;
        for (int page = 1;; ++page) {
            Params paged = params;
            paged.emplace_back("page", std::to_string(page));
            paged.emplace_back("size", "50");
            Value reply = api_.get(path, paged);
            const Array& items = reply["result"].items();
            rows.insert(rows.end(), items.begin(), items.end());
            if (items.empty() || static_cast<int>(rows.size()) >= reply["total"].intValue()) {
                EXPECT_EQ(static_cast<int>(rows.size()), reply["total"].intValue()) << path;
                return rows;
            }
        }
    }

    std::set<std::string> ids(const Array& rows) {
        std::set<std::string> out;
        for (const Value& row : rows)
            out.insert(row["id"].toText());
        return out;
    }

    // The filter keeps some but not all rows of the unfiltered search, and
    // every row it keeps passes `check`.
    void expectNarrows(const std::string& path, const Params& base, const Params& filter,
                       const RowCheck& check) {
        Array everything = all(path, base);
        Params params = base;
        params.insert(params.end(), filter.begin(), filter.end());
        Array kept = all(path, params);
        ASSERT_FALSE(kept.empty());
        EXPECT_LT(kept.size(), everything.size());
        std::set<std::string> allIds = ids(everything);
        for (const Value& row : kept) {
            EXPECT_TRUE(allIds.count(row["id"].toText())) << row["id"].toText();
            EXPECT_TRUE(check(row)) << "row " << row["id"].toText() << " " << row["title"].toText()
                                    << row["name"].toText();
        }
    }

    RunningService service_;
    ApiClient api_{service_};
};

TEST_F(PropertySearch, ProjectFiltersKeepOnlyWhatTheyName) {
    const Params city = {{"cityid", "3401"}, {"force", "1"}, {"o", "1"}};
    auto floorPlans = [this](const Value& row) {
        Params query = {{"id", row["id"].toText()}, {"t", "4"}, {"type", "4"}};
        return api_.get("house/gallery.aspx", query)["result"].items();
    };
    struct Case {
        const char* name;
        Params filter;
        RowCheck check;
    };
    const Case cases[] = {
        {"price 8000-10000", {{"p", "2"}}, between("price", 8000, 10000)},
        {"price 20000 and more", {{"p", "6"}}, between("price", 20000, 1 << 30)},
        {"district", {{"a", "103"}}, [](const Value&) { return true; }},
        {"class 别墅", {{"t", "3"}, {"type", "3"}}, equals("catname", "别墅")},
        {"class 公寓", {{"t", "2"}, {"type", "2"}}, equals("catname", "公寓")},
        {"keyword",
         {{"q", "蜀山"}},
         [](const Value& row) {
             return row["name"].toText().find("蜀山") != std::string::npos ||
                    row["address"].toText().find("蜀山") != std::string::npos;
         }},
        {"three rooms",
         {{"r", "3"}},
         [&](const Value& row) {
             for (const Value& plan : floorPlans(row)) {
                 if (plan["title"].toText().find("三室") != std::string::npos) return true;
             }
             return false;
         }},
        {"90-120 square metres",
         {{"m", "4"}},
         [&](const Value& row) {
             static const std::regex area("约([0-9]+)平方米");
             for (const Value& plan : floorPlans(row)) {
                 std::smatch m;
                 std::string title = plan["title"].toText();
                 if (std::regex_search(title, m, area) && std::stoi(m[1]) >= 90 &&
                     std::stoi(m[1]) < 120)
                     return true;
             }
             return false;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectNarrows("house/search.aspx", city, c.filter, c.check);
    }
    // The district filter: its projects are the ones the detail places there.
    for (const Value& row : all("house/search.aspx", {{"cityid", "3401"}, {"a", "103"}}))
        EXPECT_EQ(api_.get("house/detail.aspx", {{"id", row["id"].toText()}})["area"].toText(),
                  "蜀山区");
}

TEST_F(PropertySearch, RowZeroAndUnknownRowsFilterNothing) {
    std::size_t everything = all("house/search.aspx", {}).size();
    EXPECT_GE(everything, 25u);
    for (const Params& untouched :
         {Params{{"p", "0"}, {"a", "0"}, {"t", "0"}, {"r", "0"}, {"m", "0"}, {"q", ""}},
          Params{{"p", "99"}, {"t", "-1"}, {"r", "x"}, {"m", "7"}}}) {
        EXPECT_EQ(all("house/search.aspx", untouched).size(), everything);
    }
    std::size_t listings = all("oldhouse/search.aspx", {}).size();
    EXPECT_EQ(listings, 60u);
    for (const char* any : {"", "0", "不限", "全部", "七室"}) {
        EXPECT_EQ(all("oldhouse/search.aspx", {{"r", any}, {"a", any}}).size(), listings) << any;
    }
    EXPECT_EQ(all("rent/search.aspx", {{"cityid", "3405"}}).size(), 40u);
}

TEST_F(PropertySearch, ProjectSortOrders) {
    Array byPrice = all("house/search.aspx", {{"o", "3"}});
    bool zeroSeen = false;
    for (std::size_t i = 0; i < byPrice.size(); ++i) {
        int price = number(byPrice[i], "price");
        if (price == 0) zeroSeen = true;
        EXPECT_FALSE(zeroSeen && price > 0) << "一房一价 comes last";
        if (i > 0 && price > 0) {
            EXPECT_LE(number(byPrice[i - 1], "price"), price);
        }
    }
    EXPECT_TRUE(zeroSeen);
    Array byFocus = all("house/search.aspx", {{"o", "5"}});
    for (std::size_t i = 1; i < byFocus.size(); ++i)
        EXPECT_GE(number(byFocus[i - 1], "focus"), number(byFocus[i], "focus"));
    Array newest = all("house/search.aspx", {{"o", "1"}});
    for (std::size_t i = 1; i < newest.size(); ++i)
        EXPECT_GE(newest[i - 1]["update_at"].toText(), newest[i]["update_at"].toText());
    EXPECT_EQ(ids(newest), ids(byPrice));
}

TEST_F(PropertySearch, ListingFiltersKeepOnlyWhatTheyName) {
    struct Case {
        const char* path;
        const char* name;
        Params filter;
        RowCheck check;
    };
    auto unitStarts = [](std::string rooms) {
        return [=](const Value& row) { return row["unit"].toText().rfind(rooms, 0) == 0; };
    };
    const Case cases[] = {
        {"oldhouse/search.aspx", "price 50-80万", {{"p", "2"}}, between("price", 50, 80)},
        {"oldhouse/search.aspx",
         "price 200万 and more",
         {{"p", "6"}},
         between("price", 200, 1 << 30)},
        {"rent/search.aspx", "rent 1500-2500", {{"p", "3"}}, between("price", 1500, 2500)},
        {"rent/search.aspx", "rent below 800", {{"p", "1"}}, between("price", 0, 800)},
        {"oldhouse/search.aspx", "50 square metres and less", {{"m", "1"}}, between("size", 0, 50)},
        {"rent/search.aspx", "120-144 square metres", {{"m", "5"}}, between("size", 120, 144)},
        {"oldhouse/search.aspx", "three rooms", {{"r", "三室"}}, unitStarts("3室")},
        {"rent/search.aspx", "five rooms and more", {{"r", "五室及以上"}}, unitStarts("5室")},
        {"oldhouse/search.aspx", "district by name", {{"a", "蜀山区"}}, equals("area", "蜀山区")},
        {"rent/search.aspx", "business area", {{"d", "153"}}, equals("community", "天鹅湖商圈")},
        {"oldhouse/search.aspx", "source 个人", {{"u", "1"}}, equals("source", "个人")},
        {"rent/search.aspx", "source 中介", {{"u", "2"}}, equals("source", "中介")},
        {"oldhouse/search.aspx", "recommended", {{"j", "1"}}, equals("recommand", "1")},
        {"rent/search.aspx", "urgent", {{"h", "1"}}, equals("hot", "1")},
        {"oldhouse/search.aspx",
         "keyword",
         {{"q", "天鹅湖"}},
         [](const Value& row) {
             return (row["title"].toText() + row["name"].toText() + row["community"].toText())
                        .find("天鹅湖") != std::string::npos;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + c.name);
        expectNarrows(c.path, {{"cityid", "3401"}}, c.filter, c.check);
    }
}

TEST_F(PropertySearch, FiltersCombineAndListingsOfAProjectIgnoreTheCity) {
    Array both = all("oldhouse/search.aspx", {{"r", "二室"}, {"u", "2"}});
    ASSERT_FALSE(both.empty());
    for (const Value& row : both) {
        EXPECT_EQ(row["unit"].toText().substr(0, 4), "2室");
        EXPECT_EQ(row["source"].toText(), "中介");
    }
    Array ofProject = all("oldhouse/search.aspx", {{"hid", "1001"}, {"cityid", "3405"}});
    ASSERT_FALSE(ofProject.empty());
    EXPECT_EQ(std::to_string(ofProject.size()),
              api_.get("house/detail.aspx", {{"id", "1001"}})["num_oldhouse"].toText());
    for (const Value& row : ofProject)
        EXPECT_NE(api_.get("house/detail.aspx", {{"id", "1001"}})["name"].toText().find(
                      row["name"].toText()),
                  std::string::npos);
}

TEST_F(PropertySearch, EveryCityHasItsOwnProjectsListingsAndQuestions) {
    for (int city = 3401; city <= 3410; ++city) {
        SCOPED_TRACE(city);
        Params in = {{"cityid", std::to_string(city)}};
        Array projects = all("house/search.aspx", in);
        EXPECT_GE(projects.size(), 25u);
        std::set<std::string> states;
        for (const Value& row : projects) {
            EXPECT_EQ(row["cityid"].toText(), std::to_string(city));
            states.insert(row["state"].toText());
        }
        EXPECT_EQ(states, (std::set<std::string>{"0", "1", "2", "3"}));
        EXPECT_EQ(all("oldhouse/search.aspx", in).size(), 60u);
        EXPECT_EQ(all("rent/search.aspx", in).size(), 40u);
        Params open = in, solved = in;
        open.emplace_back("t", "1");
        solved.emplace_back("t", "2");
        EXPECT_GE(all("ask/list.aspx", open).size() + all("ask/list.aspx", solved).size(), 25u);
    }
}

}  // namespace
}  // namespace tovera::test
