#include <sqlite3.h>

#include "core/DBConnection.h"
#include "core/DSTovera.h"

namespace tovera {

std::optional<Dict> DSTovera::newsDetailCachesForId(int newsId) {
    if (newsId <= 0) return std::nullopt;
    Statement statement = DBConnection::statementWithQuery(
        "SELECT `id`,`title`,`text`,`source`,`update_at`,`comment`,`images`,`favorite`,`summary` "
        "FROM `newsdetail` WHERE `id` = ? ");
    statement.bindInt32(newsId, 1);
    if (statement.step() != SQLITE_ROW) return std::nullopt;
    Dict article;
    article.set("id", std::to_string(statement.getInt32(0)));
    int column = 1;
    for (std::string_view key : {"title", "text", "source", "update_at", "comment", "images"})
        article.set(key, statement.getString(column++).value_or(""));
    article.set("favorite", std::to_string(statement.getInt32(7)));
    article.set("summary", statement.getString(8).value_or(""));
    return article;
}

}  // namespace tovera
