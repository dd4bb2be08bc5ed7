#include "service/LiveGrowth.h"

#include <vector>

#include "service/Schema.h"

namespace tovera::service {

namespace {

struct Script {
    std::int64_t room = 0;
    std::int64_t pace = 0;
    std::int64_t nextAt = 0;
    std::int64_t step = 0;
    std::int64_t lines = 0;
};

std::vector<Script> dueScripts(Database& db, std::int64_t now) {
    std::vector<Script> scripts;
    Statement statement(db,
                        "SELECT s.room, s.pace, s.next_at, s.step, "
                        "(SELECT count(*) FROM live_line l WHERE l.room = s.room) "
                        "FROM live_script s JOIN live_room r ON r.id = s.room "
                        "WHERE r.isend = 1 AND s.next_at <= ?1 AND s.pace > 0");
    statement.bind(1, now);
    while (statement.step()) {
        Script script{statement.integer(0), statement.integer(1), statement.integer(2),
                      statement.integer(3), statement.integer(4)};
        if (script.lines > 0) scripts.push_back(script);
    }
    return scripts;
}

// Publishes line `step` (cycling through the script) at time `at`.
void publish(Database& db, const Script& script, std::int64_t step, std::int64_t at) {
    Statement line(db,
                   "SELECT kind, uid, text, picture FROM live_line WHERE room = ?1 "
                   "ORDER BY seq LIMIT 1 OFFSET ?2");
    bindAll(line, script.room, step % script.lines);
    if (!line.step()) return;
    if (line.integer(0) == 1) {
        execute(db,
                "INSERT INTO live_message(id, room, message, images, created_at) "
                "VALUES(?1, ?2, ?3, ?4, ?5)",
                nextId(db, "live"), script.room, line.text(2), line.text(3), at);
    } else {
        execute(db,
                "INSERT INTO discussion(id, room, uid, content, picture, created_at) "
                "VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
                nextId(db, "discussion"), script.room, line.integer(1), line.text(2), line.text(3),
                at);
    }
}

}  // namespace

void advanceLiveRooms(Database& db, std::int64_t now) {
    std::vector<Script> scripts = dueScripts(db, now);
    if (scripts.empty()) return;
    Transaction transaction(db);
    for (const Script& script : scripts) {
        std::int64_t due = (now - script.nextAt) / script.pace + 1;
        std::int64_t shown = due < kLiveCatchUp ? due : kLiveCatchUp;
        // The latest `shown` of the due slots, at the times they fell due.
        for (std::int64_t k = due - shown; k < due; ++k)
            publish(db, script, script.step + k, script.nextAt + k * script.pace);
        execute(db, "UPDATE live_script SET next_at = ?2, step = ?3 WHERE room = ?1", script.room,
                script.nextAt + due * script.pace, script.step + due);
    }
    transaction.commit();
}

}  // namespace tovera::service
