#include "service/Seeder.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "service/Accounts.h"
#include "service/Schema.h"

namespace tovera::service {

namespace {

// Id sequences: where each starts, and the rows whose ids it hands out
// (FROM clauses).
struct SequenceRange {
    std::string_view name;
    std::int64_t first;
    std::vector<std::string_view> sources;
};

const std::vector<SequenceRange>& sequenceRanges() {
    static const std::vector<SequenceRange> ranges = {
        {"user", 1001, {"user"}},
        {"project", 1001, {"project"}},
        {"oldhouse", 20001, {"listing WHERE kind = 1"}},
        {"rent", 30001, {"listing WHERE kind = 2"}},
        {"activity", 40001, {"activity"}},
        {"article", 50001, {"article"}},
        {"question", 60001, {"question"}},
        {"answer", 62001, {"answer"}},
        {"comment", 70001, {"comment", "topic"}},
        {"live", 80001, {"live_room", "live_message"}},
        {"discussion", 88001, {"discussion"}},
        {"salenews", 90001, {"salenews"}},
        {"picture", 92001, {"picture"}},
        {"message", 95001, {"message"}},
        {"purchase", 100001, {"purchase"}},
        {"upload", 1, {}},
    };
    return ranges;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("demo seed not found: " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Seed times are offsets from the seeding moment: add now to every time column.
void moveTimesToNow(Database& db, std::int64_t now) {
    std::vector<std::pair<std::string, std::string>> columns;
    Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (tables.step()) {
        std::string table = tables.text(0);
        Statement info(db, "SELECT name FROM pragma_table_info(?1)");
        info.bind(1, table);
        while (info.step()) {
            std::string column = info.text(0);
            bool isTime = column == "deadline" ||
                          (column.size() > 3 && column.compare(column.size() - 3, 3, "_at") == 0);
            if (isTime) columns.emplace_back(table, column);
        }
    }
    for (const auto& [table, column] : columns) {
        execute(db, "UPDATE \"" + table + "\" SET \"" + column + "\" = \"" + column + "\" + ?1",
                now);
    }
}

// The seed lists passwords in the staging table seed_password.
void hashSeedPasswords(Database& db) {
    std::vector<std::pair<std::int64_t, std::string>> passwords;
    Statement rows(db, "SELECT uid, password FROM seed_password");
    while (rows.step())
        passwords.emplace_back(rows.integer(0), rows.text(1));
    for (const auto& [uid, password] : passwords)
        setPassword(db, uid, password);
    db.exec("DROP TABLE seed_password");
}

void startSequences(Database& db) {
    for (const SequenceRange& range : sequenceRanges()) {
        std::int64_t next = range.first;
        for (std::string_view source : range.sources) {
            std::int64_t max =
                queryInteger(db, "SELECT ifnull(max(id), 0) FROM " + std::string(source));
            next = std::max(next, max + 1);
        }
        execute(db, "INSERT OR REPLACE INTO sequence(name, next) VALUES(?1, ?2)", range.name, next);
    }
}

}  // namespace

bool isSeeded(Database& db) {
    return !metaValue(db, "seeded_at").empty();
}

void seedDatabase(Database& db, const std::string& demoDir) {
    std::string seed = readFile(demoDir + "/seed.sql");
    std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    Transaction transaction(db);
    db.exec("CREATE TABLE seed_password(uid INTEGER PRIMARY KEY, password TEXT NOT NULL)");
    db.exec(seed);
    moveTimesToNow(db, now);
    databaseSecret(db);
    hashSeedPasswords(db);
    startSequences(db);
    setMetaValue(db, "seeded_at", std::to_string(now));
    transaction.commit();
}

}  // namespace tovera::service
