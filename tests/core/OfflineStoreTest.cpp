#include "core/OfflineStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Gb18030.h"
#include "platform/Preferences.h"
#include "tests/support/TempHome.h"

using namespace tovera;

namespace {

class Offline : public ::testing::Test {
protected:
    void SetUp() override {
        DBConnection::setClock([this] { return now_; });
    }
    void TearDown() override {
        DBConnection::closeDatabase();
        DBConnection::setClock({});
    }

    static KeepRule rule(std::string_view path, Dict query) {
        std::optional<KeepRule> r = OfflineStore::ruleFor(path, query, std::string("7"));
        EXPECT_TRUE(r) << path;
        return r.value_or(KeepRule{});
    }

    void keepArticle(int id, std::string title, std::string text) {
        now_ += 1;
        OfflineStore::keep(
            rule("news/detail.aspx", Dict{{"id", std::to_string(id)}}),
            Value(Dict{{"id", std::to_string(id)}, {"title", title}, {"text", text}}));
    }

    static std::vector<std::string> titles(const std::vector<KeptHit>& hits) {
        std::vector<std::string> out;
        for (const KeptHit& hit : hits)
            out.push_back(hit.title);
        return out;
    }

    tovera::testing::TempHome home_;
    double now_ = 500000000.0;
};

TEST_F(Offline, RulesKeyByObjectOrQueryNeverByTokenOrLaterPage) {
    EXPECT_EQ(rule("ask/detail.aspx", Dict{{"id", "12"}, {"cityid", "3401"}}).key,
              "ask/detail.aspx?id=12");
    EXPECT_EQ(rule("ask/detail.aspx", Dict{{"id", "12"}}).kind, "question");
    const KeepRule list = rule("system/home.aspx",
                               Dict{{"page", "1"}, {"access_token", "demoX"}, {"cityid", "3401"}});
    EXPECT_EQ(list.kind, "list");
    EXPECT_EQ(list.key.find("demoX"), std::string::npos);
    // A private list is kept per user.
    EXPECT_NE(
        OfflineStore::ruleFor("user/searchmsg.aspx", Dict{{"page", "1"}}, std::string("7"))->key,
        OfflineStore::ruleFor("user/searchmsg.aspx", Dict{{"page", "1"}}, std::string("8"))->key);
    EXPECT_FALSE(OfflineStore::ruleFor("system/home.aspx", Dict{{"page", "2"}}, {}));
    EXPECT_FALSE(OfflineStore::ruleFor("user/setinfo.aspx", Dict{}, {}));
    EXPECT_FALSE(OfflineStore::ruleFor("house/detail.aspx", Dict{}, {})) << "no id";
}

TEST_F(Offline, KeptReplyReadsBackWithItsSavedTime) {
    const KeepRule topic = rule("topic/detail.aspx", Dict{{"id", "5"}, {"page", "1"}});
    const Value reply(
        Dict{{"result", Array{Value(Dict{{"id", "5"}, {"title", "小区停车"}})}}, {"total", "1"}});
    OfflineStore::keep(topic, reply);
    ASSERT_TRUE(OfflineStore::flush());
    const double saved = now_;
    now_ += 3600;
    const std::optional<KeptReply> kept = OfflineStore::kept(topic.key);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->saved, saved);
    EXPECT_EQ(kept->reply["result"].items().at(0).getStringValueForKey("title", ""), "小区停车");
    EXPECT_FALSE(OfflineStore::kept("topic/detail.aspx?id=6"));
    // Searched by the title of its first row.
    EXPECT_EQ(titles(OfflineStore::search("停车")), std::vector<std::string>{"小区停车"});
}

TEST_F(Offline, SearchFindsWordsOfAnyLengthInsideSentences) {
    keepArticle(1, "滨湖新区", "<p>合肥市政务区新开楼盘均价上涨</p>");
    keepArticle(2, "学区房", "蜀山区 School district prices");
    keepArticle(3, "公积金", "贷款额度调整");
    struct Case {
        std::string query;
        std::vector<std::string> titles;
    };
    for (const Case& c : {
             Case{"楼盘", {"滨湖新区"}},           // two characters, inside a sentence
             Case{"政务区新开", {"滨湖新区"}},     // the trigram index
             Case{"school DISTRICT", {"学区房"}},  // case and two words
             Case{"区", {"学区房", "滨湖新区"}},   // one character; newest opened first
             Case{"楼盘 贷款", {}},                // every word must be there
             Case{"<p>", {}},                      // markup is not text
             Case{"额度　调整", {"公积金"}},       // the ideographic space separates
         }) {
        EXPECT_EQ(titles(OfflineStore::search(c.query)), c.titles) << c.query;
    }
    const std::vector<KeptHit> hits = OfflineStore::search("楼盘");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, "article");
    EXPECT_EQ(hits[0].id, "1");
    EXPECT_NE(hits[0].snippet.find("新开楼盘均价"), std::string::npos) << hits[0].snippet;
}

TEST_F(Offline, HostileSearchTextIsSearchedAsText) {
    keepArticle(1, "引号\"标题\" AND OR", "NEAR(a b) * col:value ^start");
    const std::string huge(10000, 'x');
    for (const std::string& query :
         {std::string("\""), std::string("\"\"\""), std::string("AND"), std::string("a OR b"),
          std::string("NEAR(a b)"), std::string("*"), std::string("col:value"),
          std::string("^start"), std::string("'; DROP TABLE kept; --"), std::string("%"),
          std::string("_"), huge, huge + " 楼盘", std::string("\xFF\xFE")}) {
        EXPECT_NO_FATAL_FAILURE(OfflineStore::search(query)) << query.substr(0, 20);
    }
    EXPECT_EQ(titles(OfflineStore::search("\"标题\"")).size(), 1u);
    EXPECT_EQ(titles(OfflineStore::search("NEAR(a")).size(), 1u);
    EXPECT_EQ(titles(OfflineStore::search("*")).size(), 1u);
    EXPECT_EQ(titles(OfflineStore::search("col:value")).size(), 1u);
    EXPECT_TRUE(OfflineStore::search("%").empty()) << "no wildcard";
    EXPECT_TRUE(OfflineStore::search(huge).empty());
    EXPECT_EQ(titles(OfflineStore::search("AND")).size(), 1u) << "the table is still there";
}

TEST_F(Offline, ShortWordsAreFoundExactlyAndGoWithTheirCopy) {
    keepArticle(1, "Ab，\"引\" 号", "末尾字 x");
    keepArticle(2, "其他", "ab 引号");
    struct Case {
        std::string query;
        std::vector<std::string> titles;
    };
    for (const Case& c : {
             Case{"ab", {"其他", "Ab，\"引\" 号"}},           // case folded
             Case{"b，", {"Ab，\"引\" 号"}},                  // punctuation is text
             Case{"\"引", {"Ab，\"引\" 号"}},                 // a quote too
             Case{"引号", {"其他"}},                          // not across the quote or a space
             Case{"号", {"其他", "Ab，\"引\" 号"}},           // one character, last of its text
             Case{"字", {"Ab，\"引\" 号"}},                   // one character before a space
             Case{"x", {"Ab，\"引\" 号"}}, Case{"号末", {}},  // not across the title and the text
             Case{"ab 末尾字", {"Ab，\"引\" 号"}},            // with a word of the trigram index
         }) {
        EXPECT_EQ(titles(OfflineStore::search(c.query)), c.titles) << c.query;
    }
    // Replaced and removed copies leave nothing behind in either index.
    keepArticle(2, "其他", "换了");
    EXPECT_EQ(titles(OfflineStore::search("引号")), std::vector<std::string>{});
    EXPECT_EQ(titles(OfflineStore::search("换了")), std::vector<std::string>{"其他"});
    Statement check = DBConnection::statementWithQuery(
        "INSERT INTO kept_grams(kept_grams) VALUES('integrity-check')");
    EXPECT_EQ(check.step(), SQLITE_DONE);
}

TEST_F(Offline, SnippetsShowReadableTextAroundTheMatch) {
    OfflineStore::keep(
        rule("house/detail.aspx", Dict{{"id", "1001"}}),
        Value(Dict{{"id", "1001"},
                   {"title", "翠湖名邸"},
                   {"price", "15200"},
                   {"tel", "0551-65553743"},
                   {"pic", "facade_01.jpg"},
                   {"photos", "[{\"title\":\"样板间&amp;客厅\"}]"},
                   {"text",
                    "<p>翠湖名邸&nbsp;位于\n\n  庐阳区[Face3]，&ldquo;交通&rdquo;便利。</p>"
                    "<table><tr><td>A户型</td><td>45</td></tr></table>"}}));
    struct Case {
        std::string query;
        std::string snippet;
    };
    for (const Case& c : {
             // The texts, without the codes around them.
             Case{"庐阳区", "…样板间&客厅 翠湖名邸 位于 庐阳区，“交通”便利。 A户型 45"},
             Case{"客厅", "翠湖名邸 样板间&客厅 翠湖名邸 位于 庐阳区，“交通”便利。 A户型 45"},
             // A code is still found, and shown among the codes.
             Case{"65553743", "…001 15200 0551-65553743"},
         }) {
        const std::vector<KeptHit> hits = OfflineStore::search(c.query);
        ASSERT_EQ(hits.size(), 1u) << c.query;
        EXPECT_EQ(hits[0].snippet, c.snippet) << c.query;
        EXPECT_NE(hits[0].snippet.find(c.query), std::string::npos);
    }
    // What is not read is not found.
    for (const char* hidden : {"nbsp", "Face3", "<p>", "ldquo", "facade", "title"})
        EXPECT_TRUE(OfflineStore::search(hidden).empty()) << hidden;
}

TEST_F(Offline, BoundRemovesLeastRecentlyOpenedButNeverAFavourite) {
    platform::preferences().setString("offlinelimit", "1");
    const std::string big(150 * 1024, 'a');  // each copy takes about 300 KB
    // Article 1 is the oldest and a favourite; 2 is opened again later.
    for (int id = 1; id <= 3; ++id) {
        ASSERT_TRUE(DSTovera::newsDetailCaches(Dict{{"id", std::to_string(id)}, {"title", "t"}}));
        keepArticle(id, "t" + std::to_string(id), big);
    }
    ASSERT_FALSE(DSTovera::favorite(1, 1));
    now_ += 1;
    ASSERT_TRUE(OfflineStore::kept("news/detail.aspx?id=2"));
    EXPECT_LE(OfflineStore::keptBytes(), OfflineStore::limitBytes());
    keepArticle(4, "t4", big);  // over the bound: 3 goes, then nothing else is needed

    EXPECT_LE(OfflineStore::keptBytes(), OfflineStore::limitBytes());
    EXPECT_TRUE(OfflineStore::kept("news/detail.aspx?id=1")) << "favourite";
    EXPECT_TRUE(OfflineStore::kept("news/detail.aspx?id=2")) << "opened lately";
    EXPECT_FALSE(OfflineStore::kept("news/detail.aspx?id=3"));
    EXPECT_TRUE(OfflineStore::kept("news/detail.aspx?id=4"));
    EXPECT_FALSE(DSTovera::newsDetailCachesForId(3)) << "its article row goes with it";
    EXPECT_TRUE(OfflineStore::search("t3").empty());
    EXPECT_EQ(DSTovera::isfavorite(1), 1);
    platform::preferences().remove("offlinelimit");
}

// A database as the earlier version wrote it: the tables of today, no
// schema version, GB18030 texts.
void writeVersionZeroDatabase(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE newsdetail (id INTEGER PRIMARY KEY, title TEXT, "
                           "summary TEXT, text TEXT, source TEXT, update_at TEXT, comment TEXT, "
                           "images TEXT, favorite INTEGER);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO newsdetail(id,title,text,favorite) VALUES(?,?,?,?)", -1,
                       &insert, nullptr);
    struct Row {
        int id;
        const char* title;
        const char* text;
        int favorite;
    };
    for (const Row& row :
         {Row{11, "房贷新政", "首套房利率下调", 1}, Row{12, "地铁规划", "三号线开通", 0}}) {
        const std::string title = gb18030::fromUtf8Lossy(row.title);
        const std::string text = gb18030::fromUtf8Lossy(row.text);
        sqlite3_bind_int(insert, 1, row.id);
        sqlite3_bind_text(insert, 2, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, row.favorite);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

TEST_F(Offline, TodaysDatabaseIsMigratedAndKeepsItsFavourites) {
    writeVersionZeroDatabase(home_.path() / "Documents" / DBConnection::kDatabaseName);
    const Array favourites = DSTovera::getFavorite();
    ASSERT_EQ(favourites.size(), 1u);
    EXPECT_EQ(favourites[0].getStringValueForKey("title", ""), "房贷新政");
    Statement version = DBConnection::statementWithQuery("PRAGMA user_version");
    ASSERT_EQ(version.step(), SQLITE_ROW);
    EXPECT_EQ(version.getInt32(0), OfflineStore::kSchemaVersion);
    // Both articles are now found and opened from the kept copies.
    EXPECT_EQ(titles(OfflineStore::search("利率")), std::vector<std::string>{"房贷新政"});
    EXPECT_EQ(titles(OfflineStore::search("三号线")), std::vector<std::string>{"地铁规划"});
    const std::optional<KeptReply> kept = OfflineStore::kept("news/detail.aspx?id=12");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->reply.getStringValueForKey("text", ""), "三号线开通");

    // Opening again migrates nothing twice.
    DBConnection::closeDatabase();
    EXPECT_EQ(OfflineStore::search("利率").size(), 1u);
    EXPECT_EQ(DSTovera::isfavorite(11), 1);
}

// A store of version 1: kept copies and the trigram index, no index of
// short words.
TEST_F(Offline, VersionOneStoreGetsTheIndexOfShortWordsAndLosesNothing) {
    keepArticle(1, "房贷新政", "首套房利率下调");
    keepArticle(2, "地铁规划", "三号线开通");
    OfflineStore::keep(rule("ask/detail.aspx", Dict{{"id", "9"}}),
                       Value(Dict{{"id", "9"}, {"title", "利率多少"}}));
    ASSERT_TRUE(OfflineStore::flush());
    sqlite3* db = DBConnection::getSharedDatabase();
    ASSERT_EQ(sqlite3_exec(db, "DROP TABLE kept_grams; PRAGMA user_version = 1", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    DBConnection::closeDatabase();

    EXPECT_EQ(titles(OfflineStore::search("利率")),
              (std::vector<std::string>{"房贷新政", "利率多少"}));
    EXPECT_EQ(titles(OfflineStore::search("三号线")), std::vector<std::string>{"地铁规划"});
    Statement version = DBConnection::statementWithQuery("PRAGMA user_version");
    ASSERT_EQ(version.step(), SQLITE_ROW);
    EXPECT_EQ(version.getInt32(0), OfflineStore::kSchemaVersion);
    Statement count = DBConnection::statementWithQuery("SELECT count(*) FROM kept");
    ASSERT_EQ(count.step(), SQLITE_ROW);
    EXPECT_EQ(count.getInt32(0), 3);
    ASSERT_TRUE(OfflineStore::kept("news/detail.aspx?id=2"));
    // A copy kept before the upgrade is removed from the new index too.
    keepArticle(1, "房贷新政", "已更新");
    EXPECT_EQ(titles(OfflineStore::search("利率")), std::vector<std::string>{"利率多少"});
}

}  // namespace
