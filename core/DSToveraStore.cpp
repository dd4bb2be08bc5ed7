// The class-level local-store operations of DSTovera.
#include <sqlite3.h>

#include <filesystem>

#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Encoding.h"
#include "core/QXRequestDelegate.h"
#include "platform/AppHome.h"
#include "platform/Log.h"

namespace tovera {

namespace {

// A fetch older than this is stale.
constexpr double kUrlCacheLifetime = 50.0;

std::string urlDigest(std::string_view url) {
    return md5Hash(URLEncodedString(url));
}

// Steps a write; a write that does not finish is logged and reported.
bool stepWrite(Statement& statement, const std::string& failureLog) {
    if (statement.step() == SQLITE_DONE) return true;
    platform::logLine(failureLog);
    DBConnection::alert();
    return false;
}

bool runWrite(std::string_view sql, const std::string& failureLog) {
    Statement statement = DBConnection::statementWithQuery(sql);
    return stepWrite(statement, failureLog);
}

}  // namespace

bool DSTovera::searchUrlCaches(std::string_view url) {
    Statement statement =
        DBConnection::statementWithQuery("SELECT timestamp FROM urlcaches WHERE url = ?");
    statement.bindString(urlDigest(url), 1);
    if (statement.step() != SQLITE_ROW) return true;
    return DBConnection::now() - statement.getDouble(0) > kUrlCacheLifetime;
}

bool DSTovera::updateUrlCaches(std::string_view url) {
    Statement statement =
        DBConnection::statementWithQuery("REPLACE INTO `urlcaches`(`url`,`timestamp`) VALUES(?,?)");
    statement.bindString(urlDigest(url), 1);
    statement.bindDouble(DBConnection::now(), 2);
    return stepWrite(statement, "update error  url:" + URLEncodedString(url));
}

bool DSTovera::newsDetailCaches(const Dict& article) {
    if (article.empty()) return false;
    const int id = article.getIntValueForKey("id", 0);
    int mark = article.getIntValueForKey("favorite", -1);
    if (mark < 0) mark = isfavorite(id);
    Statement statement = DBConnection::statementWithQuery(
        "REPLACE INTO "
        "`newsdetail`(`id`,`title`,`text`,`source`,`update_at`,`comment`,`images`,`favorite`,`"
        "summary`) VALUES(?,?,?,?,?,?,?,?,?)");
    statement.bindInt32(id, 1);
    int index = 2;
    for (std::string_view key : {"title", "text", "source", "update_at", "comment", "images"})
        statement.bindString(article.getStringValueForKey(key, ""), index++);
    statement.bindInt32(mark, 8);
    statement.bindString(article.getStringValueForKey("summary", ""), 9);
    return stepWrite(statement, "update error  newsdetail:id:" + article["id"].toText() +
                                    ",title:" + article["title"].toText());
}

int DSTovera::isfavorite(int newsId) {
    if (newsId <= 0) return 0;
    Statement statement =
        DBConnection::statementWithQuery("SELECT `favorite` FROM `newsdetail` WHERE `id` = ? ");
    statement.bindInt32(newsId, 1);
    return statement.step() == SQLITE_ROW ? statement.getInt32(0) : 0;
}

bool DSTovera::favorite(int mark, int newsId) {
    if (newsId <= 0) return true;
    Statement statement =
        DBConnection::statementWithQuery("UPDATE `newsdetail` SET `favorite` = ? WHERE `id` = ? ");
    statement.bindInt32(mark, 1);
    statement.bindInt32(newsId, 2);
    const std::string failureLog = "update error  newsdetail:id:" + std::to_string(newsId) +
                                   ",favorite:" + std::to_string(mark);
    if (!stepWrite(statement, failureLog)) return true;
    // Marking an article that is not kept changes nothing: that is a failure
    // for the user, who would otherwise be told the favourite was saved.
    if (sqlite3_changes(DBConnection::getSharedDatabase()) == 0) {
        platform::logLine(failureLog);
        return true;
    }
    return false;
}

Array DSTovera::getFavorite(QXRequestDelegate* delegate) {
    Statement statement = DBConnection::statementWithQuery(
        "SELECT `id`,`title`,`summary`,`update_at`,`images` FROM `newsdetail` WHERE `favorite` = "
        "1 ");
    Array favourites;
    while (statement.step() == SQLITE_ROW) {
        favourites.push_back(Dict{
            {"id", std::to_string(statement.getInt32(0))},
            {"title", statement.getString(1).value_or("")},
            {"summary", statement.getString(2).value_or("")},
            {"update_at", statement.getString(3).value_or("")},
            {"images", statement.getString(4).value_or("")},
            {"favorite", "1"},
        });
    }
    if (delegate) delegate->requestDidLoad(nullptr, Value(favourites));
    return favourites;
}

bool DSTovera::newsSortCaches(const Value& categories) {
    const Array& entries = categories.items();
    if (entries.empty()) return false;
    // One transaction: a write that fails midway (a full disk) must leave the
    // earlier list whole rather than a part of the new one.
    if (!runWrite("BEGIN", "DELETE error  newssort")) return false;
    bool ok = runWrite("DELETE FROM `newssort` WHERE 1", "DELETE error  newssort");
    for (auto it = entries.rbegin(); ok && it != entries.rend(); ++it) {
        if (!it->isDict()) continue;
        const Dict& entry = *it->dict();
        Statement statement = DBConnection::statementWithQuery(
            "REPLACE INTO `newssort`(`cid`,`catname`,`subscribed`) VALUES(?,?,?)");
        statement.bindInt32(entry.getIntValueForKey("cid", 0), 1);
        statement.bindString(entry.getStringValueForKey("catname", ""), 2);
        statement.bindInt32(entry.getIntValueForKey("subscribed", 0), 3);
        ok = stepWrite(statement, "update error  newssort:cid:" + entry["cid"].toText() +
                                      ",catname:" + entry["catname"].toText());
    }
    if (ok) ok = runWrite("COMMIT", "update error  newssort");
    // A failed statement may have ended the transaction already; then this
    // does nothing.
    if (!ok) DBConnection::statementWithQuery("ROLLBACK").step();
    return ok;
}

namespace {

// The password typed in this run, which the account table keeps only when
// the user asks for it.
struct TypedPassword {
    std::string username;
    std::string password;
};

std::optional<TypedPassword>& typedPassword() {
    static std::optional<TypedPassword> typed;
    return typed;
}

}  // namespace

std::optional<std::string> DSTovera::getPassword(std::optional<std::string_view> username) {
    if (!username || username->empty()) return std::nullopt;
    Statement statement =
        DBConnection::statementWithQuery("SELECT `password` FROM `account` WHERE `username` = ? ");
    statement.bindString(*username, 1);
    if (statement.step() == SQLITE_ROW) return statement.getString(0);
    const std::optional<TypedPassword>& typed = typedPassword();
    if (typed && typed->username == *username) return typed->password;
    return std::nullopt;
}

void DSTovera::forgetTypedPassword() {
    typedPassword().reset();
}

bool DSTovera::keepPassword(std::string_view password, std::string_view username, bool store) {
    typedPassword() = TypedPassword{std::string(username), std::string(password)};
    if (store) return setPassword(password, username);
    Statement statement =
        DBConnection::statementWithQuery("DELETE FROM `account` WHERE `username` = ? ");
    statement.bindString(username, 1);
    return stepWrite(statement, "delete error  account:username:" + std::string(username));
}

bool DSTovera::setPassword(std::optional<std::string_view> password,
                           std::optional<std::string_view> username) {
    if (!password || !username) return false;
    Statement statement = DBConnection::statementWithQuery(
        "REPLACE INTO `account`(`username`,`password`) VALUES(?,?)");
    statement.bindString(*username, 1);
    statement.bindString(*password, 2);
    // The password itself never goes into the log, whatever it holds.
    return stepWrite(statement,
                     "update error  account:username:" + std::string(*username) + ",password:***");
}

std::string DSTovera::filePath(std::string_view fileName) {
    if (!platform::isSafeFileName(fileName)) {
        platform::logLine("refused file name: " + std::string(fileName));
        return {};
    }
    std::string path = (std::filesystem::path(platform::documentsDirectory()) / fileName).string();
    platform::logLine(path);
    return path;
}

}  // namespace tovera
