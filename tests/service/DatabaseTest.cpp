// The service's statements: every SQL failure throws DatabaseError (the
// router's internal-error reply depends on it), and reset() unbinds.
#include "service/Database.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tovera::service {
namespace {

TEST(ServiceDatabase, SqlFailuresThrow) {
    Database db(":memory:");
    db.exec("CREATE TABLE t(id INTEGER PRIMARY KEY, v TEXT NOT NULL)");
    execute(db, "INSERT INTO t VALUES(1, 'a')");
    const struct {
        const char* what;
        std::function<void()> action;
    } cases[] = {
        {"bad SQL", [&] { Statement(db, "SELEKT 1"); }},
        {"unknown table", [&] { queryInteger(db, "SELECT count(*) FROM missing"); }},
        {"parameter out of range", [&] { Statement(db, "SELECT ?1").bind(2, 1); }},
        {"constraint", [&] { execute(db, "INSERT INTO t VALUES(?1, ?2)", 1, "b"); }},
        {"NULL into NOT NULL", [&] { execute(db, "INSERT INTO t(id) VALUES(2)"); }},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.action(), DatabaseError) << c.what;
    EXPECT_EQ(queryInteger(db, "SELECT count(*) FROM t"), 1);
}

TEST(ServiceDatabase, RowsAreUtf8TextsAndResetUnbinds) {
    Database db(":memory:");
    Statement query(db, "SELECT ?1 AS name, ?2 AS count");
    bindAll(query, "合肥市", std::int64_t{5'000'000'000});
    ASSERT_TRUE(query.step());
    const Dict row = query.row();
    EXPECT_EQ(row.getStringValueForKey("name", ""), "合肥市");
    EXPECT_EQ(row.getStringValueForKey("count", ""), "5000000000");
    EXPECT_FALSE(query.step());

    query.reset();
    ASSERT_TRUE(query.step());
    EXPECT_TRUE(query.isNull(0));
    EXPECT_EQ(query.text(0), "");
}

}  // namespace
}  // namespace tovera::service
