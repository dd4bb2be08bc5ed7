// news/*: categories, article lists and the article itself.
#include "service/Handlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

constexpr int kMaxCategories = 10;

Dict sort(Call& call) {
    Array rows = queryRows(call.db,
                           "SELECT c.id AS cid, c.name AS catname, "
                           "CASE WHEN s.uid IS NULL THEN '0' ELSE '1' END AS subscribed, "
                           "c.base_num + (SELECT count(*) FROM subscription x WHERE x.cid = c.id) "
                           "AS num FROM news_category c LEFT JOIN subscription s "
                           "ON s.cid = c.id AND s.uid = ?1 ORDER BY c.position, c.id LIMIT ?2",
                           call.request.userId, kMaxCategories);
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

// Articles of the city and city-neutral ones; or of one project (any city);
// optionally of one category and matching a keyword in title or lead.
constexpr std::string_view kSearchWhere =
    " FROM article a WHERE (CASE WHEN ?1 > 0 THEN a.hid = ?1 ELSE a.cityid IN (?2, 0) END) "
    "AND (?3 <= 0 OR a.cid = ?3) "
    "AND (?4 = '' OR instr(a.title, ?4) > 0 OR instr(a.lead, ?4) > 0)";

Dict search(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t hid = r.integer("hid");
    std::int64_t category = parseInteger(r.type).value_or(0);
    std::string q = r.text("q");
    Array rows = queryRows(call.db,
                           "SELECT a.id, a.title, a.lead AS text, a.pic AS pic_sl, "
                           "display_time(a.created_at) AS update_at" +
                               std::string(kSearchWhere) +
                               " ORDER BY a.created_at DESC, a.id DESC LIMIT ?5 OFFSET ?6",
                           hid, r.cityId, category, q, r.size, r.offset());
    call.linkPictures(rows, {"pic_sl"});
    return listReply(std::move(rows),
                     queryInteger(call.db, "SELECT count(*)" + std::string(kSearchWhere), hid,
                                  r.cityId, category, q));
}

Dict detail(Call& call) {
    std::optional<Dict> article = queryRow(
        call.db,
        "SELECT id, title, body AS text, source, display_time(created_at) AS update_at, "
        "(SELECT count(*) FROM comment WHERE anchor_kind = 1 AND anchor_id = a.id) AS comment, "
        "images, summary FROM article a WHERE id = ?1",
        call.request.integer("id"));
    if (!article) return refusal("该资讯不存在");
    article->set("text", call.linkPicturesInHtml((*article)["text"].toText()));
    call.linkPictures(*article, {"images"});
    return std::move(*article);
}

}  // namespace

void addNewsOperations(Router& router) {
    router.addOperation("news/sort.aspx", sort);
    router.addOperation("news/search.aspx", search);
    router.addOperation("news/detail.aspx", detail);
}

}  // namespace tovera::service
