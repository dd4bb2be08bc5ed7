// house/*: new-build projects: the filtered search, the project record and
// its pages (introduction, surroundings, sale news, gallery), and the sale
// information of the city or of the followed projects.
#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/PortalConfig.h"
#include "service/PortalQueries.h"
#include "service/SqlFilter.h"

namespace tovera::service {

namespace {

constexpr std::string_view kNoProject = "该楼盘不存在";
constexpr int kGalleryPage = 10;
constexpr int kDetailPhotos = 5;

// The project has a unit whose `column` lies in `range`.
void offersUnit(SqlFilter& filter, std::string_view column, const Range& range) {
    std::string value = "u." + std::string(column);
    filter.where("EXISTS (SELECT 1 FROM unit u WHERE u.project = p.id AND " + value + " >= ? AND " +
                     value + " < ?)",
                 {range.low, range.high});
}

// "p" price band, "a" district, t/type class, "r" a layout the project
// offers, "m" a unit area it offers, "q" in the name or address. Row 0 of
// every list, and rows the lists do not have, filter nothing.
SqlFilter searchFilter(const ServiceRequest& r) {
    SqlFilter filter;
    filter.where("p.cityid = ?", {std::int64_t{r.cityId}});
    if (auto band = rangeOfRow(config::kPricelist, r.integer("p")))
        filter.where("p.price > 0").within("p.price", *band);
    if (std::int64_t district = r.integer("a"); district > 0)
        filter.where("p.district = ?", {district});
    std::int64_t classRow = parseInteger(r.type).value_or(0);
    if (std::string_view catname = config::entry(config::kClassic, classRow);
        classRow > 0 && !catname.empty())
        filter.where("p.catname = ?", {std::string(catname)});
    if (auto rooms = roomsOfRow(config::kHousetype, r.integer("r")))
        offersUnit(filter, "rooms", *rooms);
    if (auto area = rangeOfRow(config::kSquare, r.integer("m"))) offersUnit(filter, "size", *area);
    if (std::string q = r.text("q"); !q.empty())
        filter.where("instr(p.name, ?) > 0 OR instr(p.address, ?) > 0", {q, q});
    return filter;
}

// "o": 3 price ascending (一房一价 last), 5 most followed, anything else newest.
std::string_view searchOrder(std::string_view o) {
    if (o == "3") return " ORDER BY p.price = 0, p.price, p.id";
    if (o == "5") return " ORDER BY focus DESC, p.id";
    return " ORDER BY p.created_at DESC, p.id DESC";
}

Dict search(Call& call) {
    const ServiceRequest& r = call.request;
    Dict reply = searchFilter(r).page(call.db, kProjectSummaryColumns, "FROM project p",
                                      searchOrder(r.text("o")), r.size, r.offset());
    call.linkPictures(*reply.find("result")->array(), {"pic_sl"});
    return reply;
}

// The pager's photos: effect, real and show-flat pictures, never none.
Array detailPhotos(Call& call, const Dict& project) {
    Array photos = queryRows(call.db,
                             "SELECT file AS picico_url, file AS picbig_url, title FROM picture "
                             "WHERE project = ?1 AND type IN (1, 2, 3) ORDER BY type, id LIMIT ?2",
                             project["id"].toText(), kDetailPhotos);
    if (photos.empty()) {
        std::string pic =
            queryText(call.db, "SELECT pic FROM project WHERE id = ?1", project["id"].toText());
        photos.emplace_back(
            Dict{{"picico_url", pic}, {"picbig_url", pic}, {"title", project["name"]}});
    }
    call.linkPictures(photos, {"picico_url", "picbig_url"});
    return photos;
}

Dict detail(Call& call) {
    const ServiceRequest& r = call.request;
    std::optional<Dict> project = queryRow(
        call.db,
        "SELECT p.id, p.name, p.tel, p.state, p.catname, p.price, ifnull(d.name, '') AS area, "
        "p.property, p.address, p.selladdress, "
        "(SELECT count(*) FROM follow f WHERE f.project = p.id) AS num_look, "
        "(SELECT count(DISTINCT b.uid) FROM purchase b WHERE b.hid = p.id) AS num_buy, "
        "(SELECT count(*) FROM listing l WHERE l.kind = 1 AND l.hid = p.id) AS num_oldhouse, "
        "CASE WHEN p.lat <> '' AND p.lon <> '' THEN p.lon || '|' || p.lat ELSE '' END AS map, "
        "EXISTS (SELECT 1 FROM follow f WHERE f.project = p.id AND f.uid = ?2) AS focused "
        "FROM project p LEFT JOIN district d ON d.id = p.district WHERE p.id = ?1",
        r.integer("id"), r.userId);
    if (!project) return refusal(kNoProject);
    project->set("photos", detailPhotos(call, *project));
    return std::move(*project);
}

Dict introduce(Call& call) {
    std::optional<Dict> project =
        queryRow(call.db, "SELECT intro FROM project WHERE id = ?1", call.request.integer("id"));
    if (!project) return refusal(kNoProject);
    return Dict{{"introduce", call.linkPicturesInHtml((*project)["intro"].toText())}};
}

Dict support(Call& call) {
    std::int64_t id = call.request.integer("id");
    std::optional<Dict> project =
        queryRow(call.db, "SELECT station AS loction, supporting FROM project WHERE id = ?1", id);
    if (!project) return refusal(kNoProject);
    project->set("traffic", queryRows(call.db,
                                      "SELECT busname, busline FROM project_bus WHERE project = ?1 "
                                      "ORDER BY rowid",
                                      id));
    return std::move(*project);
}

// One row per project with sale news, carrying its latest item, newest
// first: the city's projects, or with "uid" the projects the caller follows.
Dict saleinfo(Call& call) {
    const ServiceRequest& r = call.request;
    SqlFilter filter;
    filter.where(
        "s.id = (SELECT x.id FROM salenews x WHERE x.project = s.project "
        "ORDER BY x.created_at DESC, x.id DESC LIMIT 1)");
    if (!r.text("uid").empty()) {
        if (!r.signedIn()) return notSignedIn();
        filter.where("p.id IN (SELECT project FROM follow WHERE uid = ?)", {r.userId});
    } else {
        filter.where("p.cityid = ?", {std::int64_t{r.cityId}});
    }
    if (std::string name = r.text("housename"); !name.empty())
        filter.where("instr(p.name, ?) > 0", {name});
    return filter.page(call.db,
                       "s.project AS hid, p.name AS housename, p.catname, "
                       "display_time(s.created_at) AS update_at, s.text AS saletext",
                       "FROM salenews s JOIN project p ON p.id = s.project",
                       " ORDER BY s.created_at DESC, s.id DESC", r.size, r.offset());
}

Dict sellList(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    Array rows = queryRows(call.db,
                           "SELECT text AS selltxt, display_time(created_at) AS update_at, "
                           "project AS hid FROM salenews WHERE project = ?1 "
                           "ORDER BY created_at DESC, id DESC LIMIT ?2 OFFSET ?3",
                           id, r.size, r.offset());
    return listReply(std::move(rows),
                     queryInteger(call.db, "SELECT count(*) FROM salenews WHERE project = ?1", id));
}

// Type 0: the non-empty picture categories with a cover; type k: the
// pictures of category k. Ten to a page at most, by "page".
Dict gallery(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    std::int64_t category = parseInteger(r.type).value_or(0);
    Array rows;
    std::int64_t total = 0;
    if (category <= 0) {
        constexpr std::string_view kCategories =
            " FROM gallery g WHERE g.project = ?1 AND EXISTS (SELECT 1 FROM picture x "
            "WHERE x.project = g.project AND x.type = g.type)";
        rows = queryRows(call.db,
                         "SELECT g.type, g.title, (SELECT x.file FROM picture x WHERE x.project = "
                         "g.project AND x.type = g.type ORDER BY x.id LIMIT 1) AS picico_url" +
                             std::string(kCategories) + " ORDER BY g.type LIMIT ?2 OFFSET ?3",
                         id, kGalleryPage, r.offset());
        total = queryInteger(call.db, "SELECT count(*)" + std::string(kCategories), id);
        call.linkPictures(rows, {"picico_url"});
    } else {
        rows = queryRows(
            call.db,
            "SELECT file AS picico_url, file AS picbig_url, title, picname "
            "FROM picture WHERE project = ?1 AND type = ?2 ORDER BY id LIMIT ?3 OFFSET ?4",
            id, category, std::min(r.size, kGalleryPage), r.offset());
        total = queryInteger(
            call.db, "SELECT count(*) FROM picture WHERE project = ?1 AND type = ?2", id, category);
        call.linkPictures(rows, {"picico_url", "picbig_url"});
    }
    return listReply(std::move(rows), total);
}

}  // namespace

void addHouseOperations(Router& router) {
    router.addOperation("house/search.aspx", search);
    router.addOperation("house/detail.aspx", detail);
    router.addOperation("house/introduce.aspx", introduce);
    router.addOperation("house/saleinfo.aspx", saleinfo);
    router.addOperation("house/support.aspx", support);
    router.addOperation("house/sell_list.aspx", sellList);
    router.addOperation("house/gallery.aspx", gallery);
}

}  // namespace tovera::service
