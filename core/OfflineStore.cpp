#include "core/OfflineStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Gb18030.h"
#include "core/QXJson.h"
#include "core/QXJsonWriter.h"
#include "core/QXRequest.h"
#include "core/ReadableText.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/Text.h"
#include "platform/Timers.h"

namespace tovera {

namespace {

struct KeptOperation {
    std::string_view path;
    std::string_view kind;
    /// The reply is the object named by "id" (else by the whole query).
    bool byId;
};

// The operations whose replies a screen can be reopened from. Detail
// screens with their pages, the answers and replies under a question or
// topic, and the lists that show the last page seen offline.
constexpr std::array<KeptOperation, 18> kKeptOperations = {{
    {"news/detail.aspx", "article", true},
    {"house/detail.aspx", "project", true},
    {"house/introduce.aspx", "page", true},
    {"house/support.aspx", "page", true},
    {"house/gallery.aspx", "page", false},
    {"house/sell_list.aspx", "page", false},
    {"oldhouse/detail.aspx", "listing", true},
    {"rent/detail.aspx", "rental", true},
    {"ask/detail.aspx", "question", true},
    {"system/comment_list.aspx", "page", false},
    {"system/reply_list.aspx", "page", false},
    {"topic/detail.aspx", "topic", true},
    {"activity/detail.aspx", "activity", true},
    {"system/home.aspx", "list", false},
    {"news/search.aspx", "list", false},
    {"house/search.aspx", "list", false},
    {"user/searchmsg.aspx", "list", false},
    {"user/sendmsg_list.aspx", "list", false},
}};

// The order of the result groups.
constexpr std::array<std::string_view, 7> kSearchedKinds = {
    "article", "project", "listing", "rental", "question", "topic", "activity"};

constexpr std::string_view kLimitKey = "offlinelimit";

constexpr std::array<std::string_view, 4> kPictureExtensions = {"jpg", "jpeg", "png", "gif"};

bool searched(std::string_view kind) {
    return std::find(kSearchedKinds.begin(), kSearchedKinds.end(), kind) != kSearchedKinds.end();
}

bool exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) platform::logLine(std::string("offline store: ") + (error ? error : sql));
    sqlite3_free(error);
    return rc == SQLITE_OK;
}

// The dictionary a reply is about: the first row of a "result" list (a
// topic with its replies) or the reply itself.
const Dict* subjectOf(const Value& reply) {
    const Dict* dict = reply.dict();
    if (!dict) return nullptr;
    if (const Array* rows = (*dict)["result"].array();
        rows && !rows->empty() && rows->front().dict())
        return rows->front().dict();
    return dict;
}

bool hasLetters(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return (c & 0x80) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

// An address, or the file name of a picture.
bool isAddress(std::string_view text) {
    if (text.rfind("http", 0) == 0) return true;
    if (text.find(' ') != std::string_view::npos) return false;
    const std::size_t dot = text.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = text.substr(dot + 1);
    return std::any_of(
        kPictureExtensions.begin(), kPictureExtensions.end(),
        [&](std::string_view known) { return platform::equalsIgnoringCase(extension, known); });
}

// The texts of a reply, readable: `text` gets those with letters (of any
// script), `codes` those without (numbers, prices, telephone numbers,
// dates), which are still searched but not read around. Addresses are left
// out; a value holding JSON is read as what it holds.
struct ReplyText {
    std::string text;
    std::string codes;
};

void collectText(const Value& value, ReplyText& out, int depth = 0) {
    if (const std::string* stored = value.string()) {
        if (isAddress(*stored)) return;
        if (depth < 4 && !stored->empty() && (stored->front() == '{' || stored->front() == '[')) {
            QXJson json;
            if (std::optional<Value> inner =
                    json.fragmentWithString(gb18030::fromUtf8Lossy(*stored));
                inner && (inner->dict() || inner->array())) {
                collectText(*inner, out, depth + 1);
                return;
            }
        }
        const std::string readable = readableText(*stored);
        if (readable.empty()) return;
        std::string& into = hasLetters(readable) ? out.text : out.codes;
        if (!into.empty()) into += ' ';
        into += readable;
    } else if (const Array* array = value.array()) {
        for (const Value& item : *array)
            collectText(item, out, depth);
    } else if (const Dict* dict = value.dict()) {
        for (const auto& entry : *dict)
            collectText(entry.second, out, depth);
    }
}

// What is searched of a reply: its title and its text, the texts with
// letters first and, after a line break, the codes.
std::pair<std::string, std::string> searchTextOf(const Value& reply) {
    const Dict* subject = subjectOf(reply);
    std::string title = subject ? subject->getStringValueForKey("title", "") : "";
    if (title.empty() && subject) title = subject->getStringValueForKey("name", "");
    ReplyText text;
    collectText(reply, text);
    std::string body = std::move(text.text);
    if (!text.codes.empty()) body += "\n" + text.codes;
    return {readableText(title), std::move(body)};
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::size_t codePoints(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Moves `at` over `count` characters backwards (negative) or forwards.
std::size_t stepChars(std::string_view text, std::size_t at, int count) {
    while (count < 0 && at > 0) {
        --at;
        if ((text[at] & 0xC0) != 0x80) ++count;
    }
    while (count > 0 && at < text.size()) {
        ++at;
        while (at < text.size() && (text[at] & 0xC0) == 0x80)
            ++at;
        --count;
    }
    return at;
}

bool isSpaceAt(std::string_view text, std::size_t at) {
    const char c = text[at];
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' ||
           text.substr(at, 3) == "\xE3\x80\x80";  // the ideographic space
}

void appendHex(std::string_view bytes, std::string& out) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    for (char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
}

// The terms of `text` for the index of short words: every character with
// the one after it, and a character followed by a space or the end alone,
// ASCII letters in lower case. A term is written as the hexadecimal digits
// of its bytes, so that the index's tokenizer takes each as one token
// whatever the characters are (punctuation, quotes, operators of the query
// language). A word of two characters is then one term, and a word of one
// character the prefix of the terms it starts. Deleting a row gives the
// index these same terms again (it keeps no copy of them).
std::string gramsOf(std::string_view text) {
    const std::string lower = asciiLower(text);
    std::string grams;
    for (std::size_t at = 0; at < lower.size();) {
        const std::size_t next = stepChars(lower, at, 1);
        if (!isSpaceAt(lower, at)) {
            const bool pair = next < lower.size() && !isSpaceAt(lower, next);
            const std::size_t end = pair ? stepChars(lower, next, 1) : next;
            appendHex(std::string_view(lower).substr(at, end - at), grams);
            grams += ' ';
        }
        at = next;
    }
    return grams;
}

std::string gramsOf(std::string_view title, std::string_view body) {
    return gramsOf(title) + gramsOf(body);
}

}  // namespace

std::vector<std::string> OfflineStore::words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        if (!word.empty() && words.size() < 16) words.push_back(asciiLower(word));
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isSpaceAt(text, i)) {
            flush();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') i += 2;  // the ideographic space
        } else {
            word += c;
        }
    }
    flush();
    return words;
}

namespace {

// A stretch of `body` around the first of `words` found in it, within the
// part (the texts or the codes after the line break) that holds it.
std::string snippetOf(std::string_view body, const std::vector<std::string>& words) {
    const std::string lower = asciiLower(body);
    std::size_t at = std::string::npos;
    for (const std::string& word : words)
        at = std::min(at, lower.find(word));
    if (at == std::string::npos) at = 0;
    const std::size_t lineBreak = body.find('\n');
    std::string_view part = body;
    if (lineBreak != std::string_view::npos) {
        if (at < lineBreak) {
            part = body.substr(0, lineBreak);
        } else {
            part = body.substr(lineBreak + 1);
            at -= lineBreak + 1;
        }
    }
    const std::size_t from = stepChars(part, at, -15);
    const std::size_t to = stepChars(part, at, 45);
    std::string snippet(part.substr(from, to - from));
    if (from > 0) snippet.insert(0, "…");
    if (to < part.size()) snippet += "…";
    return snippet;
}

std::optional<sqlite3_int64> rowOf(std::string_view key) {
    Statement statement = DBConnection::statementWithQuery("SELECT rowid FROM kept WHERE key = ?");
    statement.bindString(key, 1);
    if (statement.step() != SQLITE_ROW) return std::nullopt;
    return statement.getInt64(0);
}

bool indexGrams(sqlite3* db, sqlite3_int64 row, std::string_view title, std::string_view body,
                bool remove) {
    Statement index(db,
                    remove ? "INSERT INTO kept_grams(kept_grams,rowid,grams) VALUES('delete',?,?)"
                           : "INSERT INTO kept_grams(rowid,grams) VALUES(?,?)",
                    Statement::TextEncoding::kUtf8);
    index.bindInt64(row, 1);
    index.bindString(gramsOf(title, body), 2);
    return index.step() == SQLITE_DONE;
}

void removeRow(sqlite3* db, sqlite3_int64 row) {
    {
        Statement indexed(db, "SELECT title, body FROM kept_fts WHERE rowid = ?",
                          Statement::TextEncoding::kUtf8);
        indexed.bindInt64(row, 1);
        if (indexed.step() == SQLITE_ROW)
            indexGrams(db, row, indexed.getString(0).value_or(""),
                       indexed.getString(1).value_or(""), true);
    }
    for (const char* sql :
         {"DELETE FROM kept_fts WHERE rowid = ?", "DELETE FROM kept WHERE rowid = ?"}) {
        Statement statement(db, sql, Statement::TextEncoding::kUtf8);
        statement.bindInt64(row, 1);
        statement.step();
    }
}

// Adds the searched text of the copy in `row` to both indexes.
bool indexRow(sqlite3* db, sqlite3_int64 row, const std::string& title, const std::string& body) {
    Statement index(db, "INSERT INTO kept_fts(rowid,title,body) VALUES(?,?,?)",
                    Statement::TextEncoding::kUtf8);
    index.bindInt64(row, 1);
    index.bindString(title, 2);
    index.bindString(body, 3);
    return index.step() == SQLITE_DONE && indexGrams(db, row, title, body, false);
}

// Writes one copy (no transaction, no bound).
bool write(sqlite3* db, const KeepRule& rule, const Value& reply, double saved) {
    QXJsonWriter writer;
    const std::optional<std::string> json = writer.stringWithFragment(reply);
    if (!json) return false;
    std::string title;
    std::string body;
    if (searched(rule.kind)) {
        std::tie(title, body) = searchTextOf(reply);
    } else if (const Dict* subject = subjectOf(reply)) {
        title = subject->getStringValueForKey("title", "");
        if (title.empty()) title = subject->getStringValueForKey("name", "");
    }

    if (const std::optional<sqlite3_int64> old = rowOf(rule.key)) removeRow(db, *old);
    Statement insert = DBConnection::statementWithQuery(
        "INSERT INTO kept(key,kind,itemid,title,reply,saved,opened,size) VALUES(?,?,?,?,?,?,?,?)");
    insert.bindString(rule.key, 1);
    insert.bindString(rule.kind, 2);
    insert.bindString(rule.id, 3);
    insert.bindString(title, 4);
    insert.bindString(*json, 5);
    insert.bindDouble(saved, 6);
    insert.bindDouble(saved, 7);
    insert.bindInt64(static_cast<std::int64_t>(json->size() + body.size() + title.size()), 8);
    if (insert.step() != SQLITE_DONE) return false;
    return !searched(rule.kind) || indexRow(db, sqlite3_last_insert_rowid(db), title, body);
}

std::optional<Value> replyOf(const std::string& json) {
    QXJson parser;
    return parser.fragmentWithString(gb18030::fromUtf8Lossy(json));
}

}  // namespace

void OfflineStore::migrate(sqlite3* db) {
    if (!db) return;
    int version = 0;
    {
        Statement statement(db, "PRAGMA user_version");
        if (statement.step() == SQLITE_ROW) version = statement.getInt32(0);
    }
    if (version >= kSchemaVersion) return;
    if (!exec(db, "BEGIN")) return;
    bool ok = exec(db,
                   "CREATE TABLE IF NOT EXISTS kept (key TEXT PRIMARY KEY, kind TEXT, itemid TEXT, "
                   "title TEXT, reply TEXT, saved DOUBLE, opened DOUBLE, size INTEGER);"
                   "CREATE INDEX IF NOT EXISTS kept_opened ON kept(opened);"
                   "CREATE VIRTUAL TABLE IF NOT EXISTS kept_fts USING fts5(title, body, "
                   "tokenize='trigram');"
                   "CREATE VIRTUAL TABLE IF NOT EXISTS kept_grams USING fts5(grams, content='', "
                   "detail='none', tokenize='ascii');");
    // Version 1 had no index of short words and searched raw values: both
    // indexes are made again from the kept replies, row for row (a reply
    // that does not read keeps the text it was searched by).
    if (ok && version == 1) {
        struct Indexed {
            sqlite3_int64 row;
            std::string reply;
            std::string title;
            std::string body;
        };
        std::vector<Indexed> rows;
        // The replies are stored in GB18030, the indexed texts in UTF-8.
        for (Statement kept(db,
                            "SELECT rowid, reply FROM kept WHERE rowid IN "
                            "(SELECT rowid FROM kept_fts) ORDER BY rowid");
             kept.step() == SQLITE_ROW;)
            rows.push_back({kept.getInt64(0), kept.getString(1).value_or(""), {}, {}});
        {
            Statement text(db, "SELECT title, body FROM kept_fts WHERE rowid = ?",
                           Statement::TextEncoding::kUtf8);
            for (Indexed& row : rows) {
                text.reset();
                text.bindInt64(row.row, 1);
                if (text.step() != SQLITE_ROW) continue;
                row.title = text.getString(0).value_or("");
                row.body = text.getString(1).value_or("");
            }
        }
        ok = exec(db, "DELETE FROM kept_fts");
        for (const Indexed& row : rows) {
            std::optional<Value> reply = replyOf(row.reply);
            auto [title, body] = reply ? searchTextOf(*reply) : std::pair{row.title, row.body};
            ok = ok && indexRow(db, row.row, title, body);
        }
    }
    // Version 0 kept articles only: keep each again as its reply, so that
    // it is found by search and kept to the bound like the rest.
    std::vector<int> articles;
    for (Statement ids(db, "SELECT id FROM newsdetail"); ok && ids.step() == SQLITE_ROW;)
        articles.push_back(ids.getInt32(0));
    for (int id : articles) {
        std::optional<Dict> article = DSTovera::newsDetailCachesForId(id);
        if (!article) continue;
        const std::string key = "news/detail.aspx?id=" + std::to_string(id);
        if (!rowOf(key))
            ok = ok && write(db, {"article", key, std::to_string(id)}, Value(*article),
                             DBConnection::now());
    }
    ok = ok && exec(db, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    exec(db, ok ? "COMMIT" : "ROLLBACK");
}

std::optional<KeepRule> OfflineStore::ruleFor(std::string_view path, const Dict& query,
                                              const std::optional<std::string>& userId) {
    const auto operation = std::find_if(kKeptOperations.begin(), kKeptOperations.end(),
                                        [&](const KeptOperation& o) { return o.path == path; });
    if (operation == kKeptOperations.end()) return std::nullopt;
    if (query.getIntValueForKey("page", 1) > 1) return std::nullopt;
    KeepRule rule{std::string(operation->kind), std::string(path), {}};
    if (operation->byId) {
        rule.id = query.getStringValueForKey("id", "");
        if (rule.id.empty()) return std::nullopt;
        rule.key += "?id=" + rule.id;
        return rule;
    }
    Dict identifying = query;
    for (std::string_view volatileKey : {"access_token", "refresh", "force", "caches"})
        identifying.remove(volatileKey);
    rule.key += "?" + QXRequest::stringFromDictionary(identifying);
    if (path.rfind("user/", 0) == 0) rule.key += "#" + userId.value_or("");
    return rule;
}

namespace {

struct Pending {
    KeepRule rule;
    Value reply;
    double saved;
};

struct WriteBehind {
    std::vector<Pending> pending;
    std::optional<platform::TimerId> timer;
};

WriteBehind& writeBehind() {
    static WriteBehind w;
    return w;
}

// Copies kept within this time of each other are written together.
constexpr platform::Timers::Duration kFlushDelay{1000};

}  // namespace

void OfflineStore::keep(const KeepRule& rule, const Value& reply) {
    WriteBehind& w = writeBehind();
    // A newer reply of the same key replaces a pending one.
    std::erase_if(w.pending, [&](const Pending& p) { return p.rule.key == rule.key; });
    w.pending.push_back({rule, reply, DBConnection::now()});
    if (!w.timer || !platform::timers().isScheduled(*w.timer))
        w.timer = platform::timers().schedule(kFlushDelay, [] { flush(); });
}

bool OfflineStore::flush() {
    WriteBehind& w = writeBehind();
    if (w.timer) platform::timers().cancel(*w.timer);
    w.timer.reset();
    if (w.pending.empty()) return true;
    std::vector<Pending> pending = std::move(w.pending);
    w.pending.clear();
    sqlite3* db = DBConnection::getSharedDatabase();
    if (!db || !exec(db, "SAVEPOINT keep")) return false;
    bool ok = true;
    for (const Pending& p : pending)
        ok = ok && write(db, p.rule, p.reply, p.saved);
    exec(db, ok ? "RELEASE keep" : "ROLLBACK TO keep; RELEASE keep");
    if (!ok) platform::logLine("offline store: kept copies not written");
    keepToBound();
    return ok;
}

std::optional<KeptReply> OfflineStore::kept(std::string_view key) {
    flush();
    Statement statement =
        DBConnection::statementWithQuery("SELECT reply, saved FROM kept WHERE key = ?");
    statement.bindString(key, 1);
    if (statement.step() != SQLITE_ROW) return std::nullopt;
    std::optional<Value> reply = replyOf(statement.getString(0).value_or(""));
    if (!reply) return std::nullopt;
    markOpened(key);
    return KeptReply{std::move(*reply), statement.getDouble(1)};
}

void OfflineStore::markOpened(std::string_view key) {
    Statement touch = DBConnection::statementWithQuery("UPDATE kept SET opened = ? WHERE key = ?");
    touch.bindDouble(DBConnection::now(), 1);
    touch.bindString(key, 2);
    touch.step();
}

std::vector<KeptHit> OfflineStore::search(std::string_view text) {
    const std::vector<std::string> words = OfflineStore::words(text);
    if (words.empty()) return {};
    flush();
    // The trigram index answers words of three characters or more; shorter
    // ones (a two-character Chinese word) the index of two-character pieces:
    // such a word is one of its terms, a single character the start of them.
    std::string phrase;
    std::string grams;
    for (const std::string& word : words) {
        if (codePoints(word) < 3) {
            std::string term;
            appendHex(word, term);
            grams += (grams.empty() ? "" : " AND ") + term + (codePoints(word) < 2 ? "*" : "");
            continue;
        }
        std::string quoted = "\"";
        for (char c : word)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        phrase += quoted + "\" ";
    }
    // The matches are found first and only the newest opened are read
    // whole: sorting every match with its text would cost more than the
    // search itself.
    std::string matches;
    if (!phrase.empty()) matches = "SELECT rowid FROM kept_fts WHERE kept_fts MATCH ?";
    if (!grams.empty())
        matches += (matches.empty() ? "" : " INTERSECT ") +
                   std::string("SELECT rowid FROM kept_grams WHERE kept_grams MATCH ?");
    const std::string sql =
        "SELECT k.kind, k.itemid, f.title, f.body FROM (SELECT rowid AS id, opened FROM kept "
        "WHERE rowid IN (" +
        matches + ") ORDER BY opened DESC LIMIT " + std::to_string(kMaxHits) +
        ") r JOIN kept k ON k.rowid = r.id JOIN kept_fts f ON f.rowid = r.id ORDER BY r.opened "
        "DESC";
    Statement statement(DBConnection::getSharedDatabase(), sql, Statement::TextEncoding::kUtf8);
    int index = 1;
    if (!phrase.empty()) statement.bindString(phrase, index++);
    if (!grams.empty()) statement.bindString(grams, index++);
    std::vector<KeptHit> hits;
    while (statement.step() == SQLITE_ROW) {
        hits.push_back({statement.getString(0).value_or(""), statement.getString(1).value_or(""),
                        statement.getString(2).value_or(""),
                        snippetOf(statement.getString(3).value_or(""), words)});
    }
    auto rank = [](const KeptHit& hit) {
        return std::find(kSearchedKinds.begin(), kSearchedKinds.end(), hit.kind) -
               kSearchedKinds.begin();
    };
    std::stable_sort(hits.begin(), hits.end(),
                     [&](const KeptHit& a, const KeptHit& b) { return rank(a) < rank(b); });
    return hits;
}

std::int64_t OfflineStore::limitBytes() {
    const std::string text = platform::preferences().string(kLimitKey).value_or("");
    const std::int64_t megabytes = text.empty() ? kDefaultLimitMegabytes : Value(text).intValue();
    return std::max<std::int64_t>(megabytes, 1) * 1024 * 1024;
}

std::int64_t OfflineStore::keptBytes() {
    flush();
    Statement statement = DBConnection::statementWithQuery("SELECT total(size) FROM kept");
    return statement.step() == SQLITE_ROW ? statement.getInt64(0) : 0;
}

void OfflineStore::keepToBound() {
    if (!writeBehind().pending.empty()) {
        flush();  // which keeps to the bound itself
        return;
    }
    std::int64_t over = keptBytes() - limitBytes();
    if (over <= 0) return;
    sqlite3* db = DBConnection::getSharedDatabase();
    std::vector<std::pair<sqlite3_int64, std::string>> evicted;
    {
        Statement oldest = DBConnection::statementWithQuery(
            "SELECT rowid, size, kind, itemid FROM kept WHERE NOT (kind = 'article' AND itemid IN "
            "(SELECT CAST(id AS TEXT) FROM newsdetail WHERE favorite = 1)) ORDER BY opened ASC");
        while (over > 0 && oldest.step() == SQLITE_ROW) {
            over -= oldest.getInt64(1);
            evicted.emplace_back(oldest.getInt64(0), oldest.getString(2).value_or("") == "article"
                                                         ? oldest.getString(3).value_or("")
                                                         : std::string());
        }
    }
    exec(db, "SAVEPOINT bound");
    for (const auto& [row, article] : evicted) {
        removeRow(db, row);
        // The article table would otherwise still answer for it.
        if (article.empty()) continue;
        Statement drop = DBConnection::statementWithQuery(
            "DELETE FROM newsdetail WHERE id = ? AND favorite IS NOT 1");
        drop.bindString(article, 1);
        drop.step();
    }
    exec(db, "RELEASE bound");
}

}  // namespace tovera
