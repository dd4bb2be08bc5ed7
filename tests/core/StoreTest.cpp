#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Encoding.h"
#include "core/QXRequestDelegate.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "tests/support/TempHome.h"

using namespace tovera;
namespace fs = std::filesystem;

namespace {

class Store : public ::testing::Test {
protected:
    void SetUp() override {
        DBConnection::setClock([this] { return now_; });
        platform::setLogSink([this](std::string_view line) { logs_.emplace_back(line); });
    }
    void TearDown() override {
        DBConnection::closeDatabase();
        DBConnection::setClock({});
        platform::setLogSink({});
    }

    fs::path databaseFile() const { return home_.path() / "Documents/tovera.sqlite"; }

    bool logged(std::string_view line) const {
        for (const auto& l : logs_)
            if (l == line) return true;
        return false;
    }

    // Reads one column of every row through the sqlite3 C API, bypassing the
    // store (so texts come back as the raw bytes on disk).
    std::vector<std::string> raw(const std::string& sql) const {
        std::vector<std::string> rows;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(databaseFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
            while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, 0));
                rows.emplace_back(bytes ? bytes : "",
                                  static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0)));
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        return rows;
    }

    std::vector<std::string> ids(const std::string& table = "newsdetail") const {
        return raw("SELECT id FROM " + table + " ORDER BY id");
    }

    static void exec(const std::string& sql) {
        ASSERT_EQ(
            sqlite3_exec(DBConnection::getSharedDatabase(), sql.c_str(), nullptr, nullptr, nullptr),
            SQLITE_OK)
            << sql;
    }

    // Stores articles `from` to `to` through the store, in one transaction so
    // that the disk is synced once rather than per row.
    static void storeArticles(int from, int to) {
        exec("BEGIN");
        for (int id = from; id <= to; ++id)
            ASSERT_TRUE(DSTovera::newsDetailCaches(article(id)));
        exec("COMMIT");
    }

    static Dict article(int id, std::string title = "标题") {
        return Dict{{"id", std::to_string(id)},
                    {"title", std::move(title)},
                    {"text", "<p>正文</p>"},
                    {"source", "合肥日报"},
                    {"update_at", "2012-05-01"},
                    {"comment", "3"},
                    {"images", "http://img/a.jpg|http://img/b.jpg"},
                    {"summary", "摘要"}};
    }

    tovera::testing::TempHome home_;
    double now_ = 400000000.0;
    std::vector<std::string> logs_;
};

std::vector<std::string> range(int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i)
        out.push_back(std::to_string(i));
    return out;
}

struct FavouriteRecorder : QXRequestDelegate {
    int calls = 0;
    bool withoutRequest = false;
    Value reply;
    void requestDidLoad(QXRequest* request, const Value& value) override {
        ++calls;
        withoutRequest = request == nullptr;
        reply = value;
    }
};

TEST_F(Store, AFetchIsFreshForFiftySeconds) {
    const std::string url = "http://h/api/phone/news/search.aspx?q=房价&page=1";
    EXPECT_TRUE(DSTovera::searchUrlCaches(url)) << "never recorded";
    ASSERT_TRUE(DSTovera::updateUrlCaches(url));
    const double recorded = now_;
    struct Case {
        double elapsed;
        bool needsRequest;
    };
    for (const Case& c : {Case{0, false}, Case{30, false}, Case{50, false}, Case{50.5, true}}) {
        now_ = recorded + c.elapsed;
        EXPECT_EQ(DSTovera::searchUrlCaches(url), c.needsRequest) << c.elapsed << " s";
    }
    EXPECT_TRUE(DSTovera::searchUrlCaches(url + "&page=2"));
    EXPECT_EQ(raw("SELECT url FROM urlcaches"),
              std::vector<std::string>{md5Hash(URLEncodedString(url))});
}

TEST_F(Store, ClosingPrunesArticlesButKeepsFavourites) {
    storeArticles(1, 101);
    DBConnection::closeDatabase();
    EXPECT_EQ(ids(), range(2, 101));

    // Favourites survive; the 100 newest others are kept besides them.
    storeArticles(1, 105);
    ASSERT_FALSE(DSTovera::favorite(1, 1));
    ASSERT_FALSE(DSTovera::favorite(1, 3));
    DBConnection::closeDatabase();
    auto expected = range(6, 105);
    expected.insert(expected.begin(), {"1", "3"});
    EXPECT_EQ(ids(), expected);
}

TEST_F(Store, ClosingKeepsFiftyMessagesPerListedCity) {
    exec("BEGIN");  // one transaction: a disk sync per row would be slow
    for (int id = 1; id <= 120; ++id) {
        const char* city = id <= 60 ? "3401" : "3411";
        exec("INSERT INTO usersearchmsg (id, cityid) VALUES (" + std::to_string(id) + ", '" + city +
             "')");
    }
    exec("COMMIT");
    DBConnection::closeDatabase();
    auto expected = range(11, 60);
    for (const auto& id : range(61, 120))
        expected.push_back(id);
    EXPECT_EQ(ids("usersearchmsg"), expected);
}

TEST_F(Store, FavouritesAreMarksOnKeptArticles) {
    ASSERT_TRUE(DSTovera::newsDetailCaches(article(7, "房价走势")));
    ASSERT_TRUE(DSTovera::newsDetailCaches(article(8)));

    EXPECT_TRUE(DSTovera::favorite(1, 999)) << "an article never kept cannot be a favourite";
    EXPECT_TRUE(logged("update error  newsdetail:id:999,favorite:1"));
    EXPECT_TRUE(DSTovera::favorite(1, 0));
    EXPECT_TRUE(DSTovera::getFavorite().empty());

    EXPECT_FALSE(DSTovera::favorite(1, 7));
    EXPECT_EQ(DSTovera::isfavorite(7), 1);
    EXPECT_EQ(DSTovera::isfavorite(8), 0);
    EXPECT_EQ(DSTovera::isfavorite(999), 0);

    FavouriteRecorder recorder;
    const Array favourites = DSTovera::getFavorite(&recorder);
    const Array expected = {Dict{{"id", "7"},
                                 {"title", "房价走势"},
                                 {"summary", "摘要"},
                                 {"update_at", "2012-05-01"},
                                 {"images", "http://img/a.jpg|http://img/b.jpg"},
                                 {"favorite", "1"}}};
    EXPECT_EQ(favourites, expected);
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_TRUE(recorder.withoutRequest);
    EXPECT_EQ(recorder.reply, Value(expected));

    EXPECT_FALSE(DSTovera::favorite(0, 7));
    EXPECT_TRUE(DSTovera::getFavorite().empty());
}

TEST_F(Store, RereadingAnArticleKeepsItsMarkOnlyWhenAskedTo) {
    struct Case {
        const char* name;
        Value favorite;  // null value: the key is left out
        bool present;
        int stored;
    };
    const Case cases[] = {
        {"missing reads 0", Value(), false, 0}, {"null keeps", Value(), true, 1},
        {"negative keeps", Value(-1), true, 1}, {"zero clears", Value(0), true, 0},
        {"one marks", Value("1"), true, 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(DSTovera::newsDetailCaches(article(5)));
        ASSERT_FALSE(DSTovera::favorite(1, 5));
        Dict again = article(5, "新标题");
        if (c.present) again.set("favorite", c.favorite);
        ASSERT_TRUE(DSTovera::newsDetailCaches(again));
        EXPECT_EQ(DSTovera::isfavorite(5), c.stored) << c.name;
    }
    EXPECT_FALSE(DSTovera::newsDetailCaches(Dict{}));
    EXPECT_EQ(ids(), std::vector<std::string>{"5"});
}

TEST_F(Store, PasswordsAreKeptOnePerUser) {
    EXPECT_TRUE(DSTovera::setPassword("first", "李华"));
    EXPECT_TRUE(DSTovera::setPassword("second", "李华"));
    EXPECT_EQ(DSTovera::getPassword("李华"), "second");
    EXPECT_EQ(raw("SELECT password FROM account"), std::vector<std::string>{"second"});

    EXPECT_FALSE(DSTovera::setPassword(std::nullopt, "李华"));
    EXPECT_FALSE(DSTovera::setPassword("x", std::nullopt));
    EXPECT_EQ(DSTovera::getPassword(std::nullopt), std::nullopt);
    EXPECT_EQ(DSTovera::getPassword(""), std::nullopt);
    EXPECT_EQ(DSTovera::getPassword("nobody"), std::nullopt);
}

TEST_F(Store, CategoryListReplacesTheTableWhole) {
    auto category = [](int cid, const char* name, int subscribed) {
        return Value(Dict{{"cid", cid}, {"catname", name}, {"subscribed", subscribed}});
    };
    ASSERT_TRUE(DSTovera::newsSortCaches(
        Array{category(1, "楼市", 1), category(2, "家居", 0), category(3, "政策", 1)}));
    EXPECT_EQ(raw("SELECT cid FROM newssort ORDER BY cid"), range(1, 3));

    EXPECT_FALSE(DSTovera::newsSortCaches(Array{}));
    EXPECT_FALSE(DSTovera::newsSortCaches(Value("not a list")));
    EXPECT_EQ(raw("SELECT cid FROM newssort ORDER BY cid"), range(1, 3));

    // Written from the last entry to the first: the first of two equal ids wins.
    ASSERT_TRUE(DSTovera::newsSortCaches(
        Array{category(9, "新闻", 1), category(9, "旧闻", 0), Value("junk")}));
    EXPECT_EQ(raw("SELECT catname FROM newssort"), std::vector<std::string>{"\xD0\xC2\xCE\xC5"});
}

TEST_F(Store, TextIsStoredAsGb18030) {
    // 房 B7BF, 价 BCDB, U+20000 (four bytes in GB18030) 95328236.
    const std::string title = "房价\U00020000";
    ASSERT_TRUE(DSTovera::newsDetailCaches(article(1, title)));
    ASSERT_TRUE(DSTovera::setPassword("密码", "用户"));
    EXPECT_EQ(raw("SELECT title FROM newsdetail"),
              std::vector<std::string>{"\xB7\xBF\xBC\xDB\x95\x32\x82\x36"});
    EXPECT_EQ(raw("SELECT username FROM account"), std::vector<std::string>{"\xD3\xC3\xBB\xA7"});
    ASSERT_FALSE(DSTovera::favorite(1, 1));
    EXPECT_EQ(DSTovera::getFavorite()[0]["title"], Value(title));
    EXPECT_EQ(DSTovera::getPassword("用户"), "密码");
}

TEST_F(Store, TheDatabaseReopensAfterClosingAndIsOwnerOnly) {
    ASSERT_TRUE(DSTovera::setPassword("p1", "a"));
    DBConnection::closeDatabase();
    ASSERT_TRUE(DSTovera::setPassword("p2", "b"));
    EXPECT_EQ(DSTovera::getPassword("a"), "p1");
    EXPECT_EQ(DSTovera::getPassword("b"), "p2");

    struct stat st {};
    ASSERT_EQ(::stat(databaseFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(databaseFile().parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

// Every write refused by the database (read-only, full) is logged, reported
// as a failure, and leaves the earlier rows as they were.
void expectFailedWritesKeepEarlierRows(const std::vector<std::string>& logs) {
    auto logged = [&](std::string_view line) {
        for (const auto& l : logs)
            if (l == line) return true;
        return false;
    };
    Dict big = Dict{{"id", "2"}, {"title", "大"}, {"text", std::string(1 << 20, 'x')}};
    EXPECT_FALSE(DSTovera::newsDetailCaches(big));
    EXPECT_TRUE(logged("update error  newsdetail:id:2,title:大"));

    Array categories;
    for (int cid = 1; cid <= 2000; ++cid)
        categories.push_back(Dict{{"cid", cid}, {"catname", std::string(500, 'c')}});
    EXPECT_FALSE(DSTovera::newsSortCaches(categories));
    EXPECT_EQ(DSTovera::getPassword("u"), "old");
    EXPECT_EQ(DSTovera::isfavorite(1), 1);
}

TEST_F(Store, FailedWritesOnAReadOnlyDatabaseKeepEarlierRows) {
    ASSERT_TRUE(DSTovera::newsDetailCaches(article(1)));
    ASSERT_FALSE(DSTovera::favorite(1, 1));
    ASSERT_TRUE(DSTovera::setPassword("old", "u"));
    ASSERT_TRUE(DSTovera::newsSortCaches(Array{Dict{{"cid", 4}, {"catname", "楼市"}}}));
    exec("PRAGMA query_only = 1");  // what SQLite does for a read-only file

    expectFailedWritesKeepEarlierRows(logs_);
    EXPECT_TRUE(logged("DELETE error  newssort"));
    EXPECT_FALSE(DSTovera::setPassword("new", "u"));
    EXPECT_TRUE(logged("update error  account:username:u,password:***"));
    EXPECT_TRUE(DSTovera::favorite(0, 1));
    EXPECT_FALSE(DSTovera::updateUrlCaches("http://h/a b"));
    EXPECT_TRUE(logged("update error  url:http%3A%2F%2Fh%2Fa%20b"));
    EXPECT_EQ(DSTovera::isfavorite(1), 1);
    EXPECT_EQ(raw("SELECT catname FROM newssort"), std::vector<std::string>{"\xC2\xA5\xCA\xD0"});

    // The pruning fails too; the database is closed all the same and the
    // next use opens it afresh (writable again).
    DBConnection::closeDatabase();
    EXPECT_EQ(logs_.back().rfind("Error: failed to cleanup chache (", 0), 0u) << logs_.back();
    EXPECT_TRUE(DSTovera::setPassword("new", "u"));
}

TEST_F(Store, FailedWritesOnAFullDiskKeepEarlierRows) {
    ASSERT_TRUE(DSTovera::newsDetailCaches(article(1)));
    ASSERT_FALSE(DSTovera::favorite(1, 1));
    ASSERT_TRUE(DSTovera::setPassword("old", "u"));
    ASSERT_TRUE(DSTovera::newsSortCaches(Array{Dict{{"cid", 4}, {"catname", "楼市"}}}));
    exec("PRAGMA max_page_count = " + raw("PRAGMA page_count").at(0));

    expectFailedWritesKeepEarlierRows(logs_);
    EXPECT_EQ(raw("SELECT cid FROM newssort"), std::vector<std::string>{"4"});
}

TEST_F(Store, AReadOnlyDatabaseFileIsReadButNotWritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
    ASSERT_TRUE(DSTovera::setPassword("old", "u"));
    DBConnection::closeDatabase();
    fs::permissions(databaseFile(), fs::perms::owner_read);
    EXPECT_FALSE(DSTovera::setPassword("new", "u"));
    EXPECT_EQ(DSTovera::getPassword("u"), "old");
}

TEST_F(Store, AnUnopenableDatabaseFailsQuietlyAndKeepsTheUserFile) {
    // A directory where the database file should be: the open fails.
    fs::create_directories(databaseFile() / "inside");
    EXPECT_FALSE(DSTovera::setPassword("p", "u"));
    EXPECT_EQ(DSTovera::getPassword("u"), std::nullopt);
    EXPECT_TRUE(DSTovera::searchUrlCaches("http://h/"));
    ASSERT_FALSE(logs_.empty());
    EXPECT_EQ(logs_.front().rfind("Failed to open database. (", 0), 0u) << logs_.front();
    EXPECT_TRUE(fs::exists(databaseFile() / "inside")) << "nothing to replace it with";

    // With a shipped copy, the unusable file is moved aside and replaced.
    tovera::testing::TempDir resources;
    platform::setResourceDirectory(resources.path().string());
    {
        sqlite3* shipped = nullptr;
        ASSERT_EQ(sqlite3_open((resources.path() / "tovera.sqlite").c_str(), &shipped), SQLITE_OK);
        sqlite3_exec(shipped,
                     "CREATE TABLE account (username TEXT PRIMARY KEY, password TEXT);"
                     "INSERT INTO account VALUES ('demo', 'shipped')",
                     nullptr, nullptr, nullptr);
        sqlite3_close(shipped);
    }
    EXPECT_EQ(DSTovera::getPassword("demo"), std::nullopt);  // this use copies
    EXPECT_EQ(DSTovera::getPassword("demo"), "shipped");     // the next one opens
    platform::setResourceDirectory("");
    EXPECT_TRUE(fs::exists(home_.path() / "Documents/tovera.sqlite.corrupt/inside"));
}

TEST_F(Store, FilePathsStayInsideTheDocuments) {
    EXPECT_EQ(DSTovera::filePath("splash_3401.jpg"),
              (home_.path() / "Documents/splash_3401.jpg").string());
    using namespace std::string_view_literals;
    for (std::string_view hostile :
         {""sv, "."sv, ".."sv, "../../etc/passwd"sv, "a/b"sv, "nul\0x"sv})
        EXPECT_EQ(DSTovera::filePath(hostile), "") << hostile;
    EXPECT_EQ(DSTovera::filePath(std::string(256, 'a')), "");
}

}  // namespace
