#include "service/Schema.h"

#include <sqlite3.h>

#include <ctime>

namespace tovera::service {

namespace {

constexpr std::string_view kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS sequence(name TEXT PRIMARY KEY, next INTEGER NOT NULL);

CREATE TABLE IF NOT EXISTS city(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
    lat TEXT NOT NULL, lon TEXT NOT NULL);
-- kind 1: business area, kind 2: district
CREATE TABLE IF NOT EXISTS district(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    kind INTEGER NOT NULL, name TEXT NOT NULL);

CREATE TABLE IF NOT EXISTS project(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    district INTEGER NOT NULL, name TEXT NOT NULL, catname TEXT NOT NULL,
    state INTEGER NOT NULL, price INTEGER NOT NULL, address TEXT NOT NULL, tel TEXT NOT NULL,
    property TEXT NOT NULL, selladdress TEXT NOT NULL, lon TEXT NOT NULL, lat TEXT NOT NULL,
    pic TEXT NOT NULL, recommended INTEGER NOT NULL, base_focus INTEGER NOT NULL,
    rooms TEXT NOT NULL, sizes TEXT NOT NULL, intro TEXT NOT NULL, station TEXT NOT NULL,
    supporting TEXT NOT NULL, created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS project_city ON project(cityid, recommended, created_at);
-- the units on sale: rooms 0 for shops and offices; plan: the floor plan picture
CREATE TABLE IF NOT EXISTS unit(id INTEGER PRIMARY KEY, project INTEGER NOT NULL,
    name TEXT NOT NULL, rooms INTEGER NOT NULL, halls INTEGER NOT NULL, baths INTEGER NOT NULL,
    size INTEGER NOT NULL, plan TEXT NOT NULL, remaining INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS unit_project ON unit(project);
CREATE TABLE IF NOT EXISTS project_bus(project INTEGER NOT NULL, busname TEXT NOT NULL,
    busline TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS phase(id INTEGER PRIMARY KEY, project INTEGER NOT NULL,
    name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS building(id INTEGER PRIMARY KEY, phase INTEGER NOT NULL,
    project INTEGER NOT NULL, name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS gallery(project INTEGER NOT NULL, type INTEGER NOT NULL,
    title TEXT NOT NULL, PRIMARY KEY(project, type));
CREATE TABLE IF NOT EXISTS picture(id INTEGER PRIMARY KEY, project INTEGER NOT NULL,
    type INTEGER NOT NULL, title TEXT NOT NULL, picname TEXT NOT NULL, file TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS salenews(id INTEGER PRIMARY KEY, project INTEGER NOT NULL,
    text TEXT NOT NULL, created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS salenews_project ON salenews(project, created_at);

-- kind 1: second-hand, kind 2: rental
CREATE TABLE IF NOT EXISTS listing(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL,
    cityid INTEGER NOT NULL, hid INTEGER NOT NULL, title TEXT NOT NULL, name TEXT NOT NULL,
    source TEXT NOT NULL, unit TEXT NOT NULL, rooms INTEGER NOT NULL, size TEXT NOT NULL,
    price INTEGER NOT NULL, district INTEGER NOT NULL, community INTEGER NOT NULL,
    text TEXT NOT NULL, recommand INTEGER NOT NULL, hot INTEGER NOT NULL, nature TEXT NOT NULL,
    rent_method TEXT NOT NULL, pay_method TEXT NOT NULL, effect TEXT NOT NULL,
    floor TEXT NOT NULL, face TEXT NOT NULL, type TEXT NOT NULL, fitment TEXT NOT NULL,
    years TEXT NOT NULL, lookhouse TEXT NOT NULL, room TEXT NOT NULL, support TEXT NOT NULL,
    traffic TEXT NOT NULL, person TEXT NOT NULL, tel TEXT NOT NULL, address TEXT NOT NULL,
    lon TEXT NOT NULL, lat TEXT NOT NULL, detail TEXT NOT NULL, pictures TEXT NOT NULL,
    created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS listing_city ON listing(kind, cityid, created_at);

CREATE TABLE IF NOT EXISTS news_category(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
    position INTEGER NOT NULL, base_num INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS article(id INTEGER PRIMARY KEY, cid INTEGER NOT NULL,
    cityid INTEGER NOT NULL, hid INTEGER NOT NULL, title TEXT NOT NULL, lead TEXT NOT NULL,
    summary TEXT NOT NULL, source TEXT NOT NULL, body TEXT NOT NULL, pic TEXT NOT NULL,
    images TEXT NOT NULL, created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS article_city ON article(cityid, created_at);

CREATE TABLE IF NOT EXISTS activity(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    name TEXT NOT NULL, deadline INTEGER NOT NULL, tel TEXT NOT NULL, text TEXT NOT NULL,
    pic TEXT NOT NULL, joins INTEGER NOT NULL, created_at INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS signup(id INTEGER PRIMARY KEY, activity INTEGER NOT NULL,
    name TEXT NOT NULL, tel TEXT NOT NULL, num INTEGER NOT NULL, created_at INTEGER NOT NULL);

-- rooms and their messages share the "live" id sequence; isend 1 open, 2 closed
CREATE TABLE IF NOT EXISTS live_room(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    uid INTEGER NOT NULL, title TEXT NOT NULL, picture TEXT NOT NULL, isend INTEGER NOT NULL,
    created_at INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS live_message(id INTEGER PRIMARY KEY, room INTEGER NOT NULL,
    message TEXT NOT NULL, images TEXT NOT NULL, created_at INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS discussion(id INTEGER PRIMARY KEY, room INTEGER NOT NULL,
    uid INTEGER NOT NULL, content TEXT NOT NULL, picture TEXT NOT NULL,
    created_at INTEGER NOT NULL);

-- topics share the "comment" id sequence with comments; a repost keeps a
-- snapshot of its source (repr_*)
CREATE TABLE IF NOT EXISTS topic(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    uid INTEGER NOT NULL, text TEXT NOT NULL, image TEXT NOT NULL, repr_id INTEGER NOT NULL,
    repr_title TEXT NOT NULL, repr_image TEXT NOT NULL, repr_uid INTEGER NOT NULL,
    repr_user TEXT NOT NULL, repr_comment INTEGER NOT NULL, repr_at INTEGER NOT NULL,
    created_at INTEGER NOT NULL);

CREATE TABLE IF NOT EXISTS question(id INTEGER PRIMARY KEY, cityid INTEGER NOT NULL,
    uid INTEGER NOT NULL, title TEXT NOT NULL, text TEXT NOT NULL, image TEXT NOT NULL,
    hid INTEGER NOT NULL, closed INTEGER NOT NULL, solve INTEGER NOT NULL,
    best INTEGER NOT NULL, servictext TEXT NOT NULL, servicname TEXT NOT NULL,
    service_at INTEGER NOT NULL, created_at INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS answer(id INTEGER PRIMARY KEY, question INTEGER NOT NULL,
    uid INTEGER NOT NULL, text TEXT NOT NULL, picture TEXT NOT NULL,
    created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS answer_question ON answer(question);
CREATE INDEX IF NOT EXISTS question_city ON question(cityid, created_at);

-- ptype: what the comment was posted on (1 article, 2 project, 3 activity,
-- 4 live room or message, 5 topic, 6 comment, 7 topic reply); anchor: the
-- object whose comment list shows it (a reply to a comment takes its
-- parent's); root: the object it is about (1 article, 2 project,
-- 3 activity, 4 live room, 5 topic)
CREATE TABLE IF NOT EXISTS comment(id INTEGER PRIMARY KEY, ptype INTEGER NOT NULL,
    target INTEGER NOT NULL, anchor_kind INTEGER NOT NULL, anchor_id INTEGER NOT NULL,
    root_kind INTEGER NOT NULL, root_id INTEGER NOT NULL, parent INTEGER NOT NULL,
    uid INTEGER NOT NULL, user TEXT NOT NULL, cityid INTEGER NOT NULL, text TEXT NOT NULL,
    image TEXT NOT NULL, agree INTEGER NOT NULL, disagree INTEGER NOT NULL,
    created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS comment_anchor ON comment(anchor_kind, anchor_id, created_at);
CREATE INDEX IF NOT EXISTS comment_root ON comment(root_kind, root_id);
CREATE INDEX IF NOT EXISTS comment_city ON comment(cityid, created_at);
CREATE INDEX IF NOT EXISTS comment_user ON comment(uid, created_at);
CREATE TABLE IF NOT EXISTS vote(comment INTEGER NOT NULL, voter TEXT NOT NULL,
    agree INTEGER NOT NULL, created_at INTEGER NOT NULL, PRIMARY KEY(comment, voter));
-- kind 0: feedback; 1-4: correction of an article, project, second-hand or rental listing
CREATE TABLE IF NOT EXISTS report(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL,
    target INTEGER NOT NULL, uid INTEGER NOT NULL, text TEXT NOT NULL,
    created_at INTEGER NOT NULL);

CREATE TABLE IF NOT EXISTS user(id INTEGER PRIMARY KEY, username TEXT NOT NULL UNIQUE,
    salt TEXT NOT NULL, pwhash TEXT NOT NULL, pwvalue TEXT NOT NULL, realname TEXT NOT NULL,
    gander TEXT NOT NULL, age TEXT NOT NULL, tel TEXT NOT NULL, email TEXT NOT NULL,
    qq TEXT NOT NULL, point TEXT NOT NULL, photo TEXT NOT NULL, privacy INTEGER NOT NULL,
    completion TEXT NOT NULL, birth TEXT NOT NULL, edu TEXT NOT NULL, trade TEXT NOT NULL,
    family TEXT NOT NULL, income TEXT NOT NULL, family_income TEXT NOT NULL,
    address TEXT NOT NULL, pref_cities TEXT NOT NULL, want_size TEXT NOT NULL,
    want_price TEXT NOT NULL, flat TEXT NOT NULL, type TEXT NOT NULL, buystate TEXT NOT NULL,
    lat TEXT NOT NULL, lon TEXT NOT NULL, created_at INTEGER NOT NULL);
-- groups 1 (default) and 2 (blacklist) exist for every user; own groups from 3
CREATE TABLE IF NOT EXISTS friend_group(uid INTEGER NOT NULL, gid INTEGER NOT NULL,
    name TEXT NOT NULL, PRIMARY KEY(uid, gid));
CREATE TABLE IF NOT EXISTS friend(uid INTEGER NOT NULL, friend INTEGER NOT NULL,
    gid INTEGER NOT NULL, remark TEXT NOT NULL, shield INTEGER NOT NULL,
    created_at INTEGER NOT NULL, PRIMARY KEY(uid, friend));
CREATE TABLE IF NOT EXISTS follow(uid INTEGER NOT NULL, project INTEGER NOT NULL,
    created_at INTEGER NOT NULL, PRIMARY KEY(uid, project));
CREATE INDEX IF NOT EXISTS follow_project ON follow(project);
CREATE TABLE IF NOT EXISTS subscription(uid INTEGER NOT NULL, cid INTEGER NOT NULL,
    created_at INTEGER NOT NULL, PRIMARY KEY(uid, cid));
CREATE TABLE IF NOT EXISTS purchase(id INTEGER PRIMARY KEY, uid INTEGER NOT NULL,
    state TEXT NOT NULL, hid INTEGER NOT NULL, lid INTEGER NOT NULL, bid INTEGER NOT NULL,
    unit TEXT NOT NULL, num TEXT NOT NULL, created_at INTEGER NOT NULL);
-- box 1: the owner's inbox, box 2: the owner's sent copy; catname 1 system
-- notice, 2 recommendation, 3 friend request, 4 user message
CREATE TABLE IF NOT EXISTS message(id INTEGER PRIMARY KEY, owner INTEGER NOT NULL,
    box INTEGER NOT NULL, sender INTEGER NOT NULL, recipient INTEGER NOT NULL,
    catname INTEGER NOT NULL, title TEXT NOT NULL, text TEXT NOT NULL, type INTEGER NOT NULL,
    tid INTEGER NOT NULL, created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS message_owner ON message(owner, box, created_at);

CREATE TABLE IF NOT EXISTS version(platform TEXT PRIMARY KEY, code TEXT NOT NULL,
    version TEXT NOT NULL, url TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS crash_report(id INTEGER PRIMARY KEY, platform TEXT NOT NULL,
    model TEXT NOT NULL, rom TEXT NOT NULL, app TEXT NOT NULL, version TEXT NOT NULL,
    report TEXT NOT NULL, authkey TEXT NOT NULL, auth_ok INTEGER NOT NULL,
    created_at INTEGER NOT NULL);
)sql";

// display_time(t) "yyyy-MM-dd HH:mm" and display_date(t) "yyyy-MM-dd" in
// the host's local time, as every reply shows times.
void formatTime(sqlite3_context* context, int, sqlite3_value** args, const char* format) {
    std::time_t t = static_cast<std::time_t>(sqlite3_value_int64(args[0]));
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::size_t n = std::strftime(text, sizeof text, format, &local);
    sqlite3_result_text(context, text, static_cast<int>(n), SQLITE_TRANSIENT);
}

void displayTime(sqlite3_context* context, int argc, sqlite3_value** args) {
    formatTime(context, argc, args, "%Y-%m-%d %H:%M");
}

void displayDate(sqlite3_context* context, int argc, sqlite3_value** args) {
    formatTime(context, argc, args, "%Y-%m-%d");
}

}  // namespace

void createSchema(Database& db) {
    constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db.handle(), "display_time", 1, kFlags, nullptr, displayTime, nullptr,
                            nullptr);
    sqlite3_create_function(db.handle(), "display_date", 1, kFlags, nullptr, displayDate, nullptr,
                            nullptr);
    db.exec(kSchema);
}

std::int64_t nextId(Database& db, std::string_view sequence) {
    Statement statement(db,
                        "UPDATE sequence SET next = next + 1 WHERE name = ?1 RETURNING next - 1");
    statement.bind(1, sequence);
    if (!statement.step()) throw DatabaseError("unknown id sequence " + std::string(sequence));
    return statement.integer(0);
}

std::string metaValue(Database& db, std::string_view key) {
    return queryText(db, "SELECT value FROM meta WHERE key = ?1", key);
}

void setMetaValue(Database& db, std::string_view key, std::string_view value) {
    execute(db, "INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)", key, value);
}

}  // namespace tovera::service
