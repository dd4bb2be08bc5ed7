// The statement wrapper shared by the client's store (GB18030 texts) and the
// demo service (UTF-8 texts), on an in-memory database.
#include "core/Statement.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

using tovera::Statement;

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

std::unique_ptr<sqlite3, CloseDatabase> memoryDatabase() {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    return std::unique_ptr<sqlite3, CloseDatabase>(db);
}

}  // namespace

TEST(Statement, TextsAreStoredInTheChosenEncodingAndReadBackAsUtf8) {
    const struct {
        Statement::TextEncoding encoding;
        const char* storedHex;
    } cases[] = {
        {Statement::TextEncoding::kGb18030, "BACFB7CACAD0"},
        {Statement::TextEncoding::kUtf8, "E59088E882A5E5B882"},
    };
    for (const auto& c : cases) {
        auto db = memoryDatabase();
        Statement create(db.get(), "CREATE TABLE t(v)", c.encoding);
        ASSERT_EQ(create.step(), SQLITE_DONE);
        Statement insert(db.get(), "INSERT INTO t VALUES(?)", c.encoding);
        ASSERT_EQ(insert.bindString("合肥市", 1), SQLITE_OK);
        ASSERT_EQ(insert.step(), SQLITE_DONE);

        Statement read(db.get(), "SELECT v, hex(v) FROM t", c.encoding);
        ASSERT_EQ(read.step(), SQLITE_ROW);
        EXPECT_EQ(read.getString(0), "合肥市");
        EXPECT_EQ(read.getString(1), c.storedHex);
    }
}

TEST(Statement, ReadsWideIntegersNullsNumbersAsTextAndColumnNames) {
    auto db = memoryDatabase();
    Statement query(db.get(), "SELECT ?1 AS big, ?2 AS missing, 42 AS answer, ?3 AS kept",
                    Statement::TextEncoding::kUtf8);
    EXPECT_EQ(query.parameterCount(), 3);
    query.bindInt64(5'000'000'000, 1);
    query.bindString("dropped", 3);
    query.clearBindings();
    query.bindInt64(5'000'000'000, 1);
    ASSERT_EQ(query.step(), SQLITE_ROW);

    ASSERT_EQ(query.columnCount(), 4);
    EXPECT_EQ(query.getInt64(0), 5'000'000'000);
    EXPECT_TRUE(query.isNull(1));
    EXPECT_EQ(query.getString(1), std::nullopt);
    EXPECT_EQ(query.getString(2), "42");
    EXPECT_TRUE(query.isNull(3)) << "clearBindings leaves parameters NULL";
    EXPECT_EQ(query.columnName(0), "big");
    EXPECT_EQ(query.columnName(2), "answer");
}
