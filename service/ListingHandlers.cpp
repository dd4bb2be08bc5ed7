// oldhouse/* and rent/*: second-hand and rental listings, the filtered
// search and the listing record. Both paths share the code; the path says
// which kind of listing.
#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/PortalConfig.h"
#include "service/SqlFilter.h"

namespace tovera::service {

namespace {

enum ListingKind : std::int64_t { kSecondHand = 1, kRental = 2 };

constexpr std::string_view kFrom =
    "FROM listing l LEFT JOIN district d ON d.id = l.district "
    "LEFT JOIN district c ON c.id = l.community";

// Titles that stand for "no filter" on the text fields ("r", "a").
bool meansAny(std::string_view title) {
    return title.empty() || title == "0" || title == "不限" || title == "全部";
}

// The row of `title` in `list`, 0 when it is not there.
std::int64_t rowOfTitle(std::span<const std::string_view> list, std::string_view title) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == title) return static_cast<std::int64_t>(i);
    }
    return 0;
}

// "r" and "a" are titles (a "housetype" entry, a district name); "p", "m",
// "u" rows; "d" a business-area id; "j"/"h" "1" flagged only; "q" in the
// title, estate or business-area name. With "hid" the project's listings of
// any city, else the city's.
SqlFilter searchFilter(Database& db, const ServiceRequest& r, ListingKind kind) {
    SqlFilter filter;
    filter.where("l.kind = ?", {std::int64_t{kind}});
    if (std::int64_t hid = r.integer("hid"); hid > 0)
        filter.where("l.hid = ?", {hid});
    else
        filter.where("l.cityid = ?", {std::int64_t{r.cityId}});
    if (std::string title = r.text("r"); !meansAny(title)) {
        if (auto rooms = roomsOfRow(config::kHousetype, rowOfTitle(config::kHousetype, title)))
            filter.within("l.rooms", *rooms);
    }
    if (std::string district = r.text("a"); !meansAny(district)) {
        if (queryInteger(db, "SELECT count(*) FROM district WHERE kind = 2 AND name = ?1",
                         district) > 0)
            filter.where("d.name = ?", {district});
    }
    const auto& prices = kind == kSecondHand
                             ? std::span<const std::string_view>(config::kSaleprice)
                             : std::span<const std::string_view>(config::kRentprice);
    if (auto band = rangeOfRow(prices, r.integer("p")))
        filter.where("l.price > 0").within("l.price", *band);
    if (auto area = rangeOfRow(config::kSquare, r.integer("m")))
        filter.within("CAST(l.size AS INTEGER)", *area);
    std::int64_t sourceRow = r.integer("u");
    if (std::string_view source = config::entry(config::kSource, sourceRow);
        sourceRow > 0 && !source.empty())
        filter.where("l.source = ?", {std::string(source)});
    if (std::int64_t area = r.integer("d"); area > 0) filter.where("l.community = ?", {area});
    if (r.text("j") == "1") filter.where("l.recommand = 1");
    if (r.text("h") == "1") filter.where("l.hot = 1");
    if (std::string q = r.text("q"); !q.empty()) {
        filter.where("instr(l.title, ?) > 0 OR instr(l.name, ?) > 0 OR instr(c.name, ?) > 0",
                     {q, q, q});
    }
    return filter;
}

Dict search(Call& call, ListingKind kind) {
    const ServiceRequest& r = call.request;
    return searchFilter(call.db, r, kind)
        .page(call.db,
              "l.id, l.title, l.name, l.source, l.unit, l.size, l.price, "
              "display_time(l.created_at) AS update_at, ifnull(c.name, '') AS community, "
              "ifnull(d.name, '') AS area, l.text, l.recommand, l.hot",
              kFrom, " ORDER BY l.created_at DESC, l.id DESC", r.size, r.offset());
}

// The "|"-joined picture names as the picture page's elements.
Array listingPictures(Call& call, std::string_view names) {
    Array pictures;
    int n = 0;
    while (!names.empty()) {
        std::size_t bar = names.find('|');
        std::string_view name = names.substr(0, bar);
        names.remove_prefix(bar == std::string_view::npos ? names.size() : bar + 1);
        if (name.empty()) continue;
        std::string url = call.pictureUrl(name);
        std::string title = name.substr(0, 5) == "plan_" ? "户型图" : "室内图";
        pictures.emplace_back(Dict{{"picico_url", url},
                                   {"picbig_url", url},
                                   {"title", title},
                                   {"picname", "图" + std::to_string(++n)}});
    }
    return pictures;
}

Dict detail(Call& call, ListingKind kind) {
    std::optional<Dict> listing = queryRow(
        call.db,
        "SELECT l.id, l.title, l.name, l.price, ifnull(d.name, '') AS area, "
        "ifnull(c.name, '') AS community, l.unit, l.size, l.nature, l.rent_method, l.pay_method, "
        "l.effect, l.floor, l.face, l.type, l.fitment, l.years, l.lookhouse, l.room, l.support, "
        "l.traffic, l.person, display_time(l.created_at) AS update_at, l.tel, l.address, "
        "CASE WHEN l.lat <> '' AND l.lon <> '' THEN l.lon || '|' || l.lat ELSE '' END AS map, "
        "l.detail, l.pictures " +
            std::string(kFrom) + " WHERE l.id = ?1 AND l.kind = ?2",
        call.request.integer("id"), std::int64_t{kind});
    if (!listing) return refusal("该房源不存在");
    listing->set("pictures", listingPictures(call, (*listing)["pictures"].toText()));
    return std::move(*listing);
}

}  // namespace

void addListingOperations(Router& router) {
    router.addOperation("oldhouse/search.aspx",
                        [](Call& call) { return search(call, kSecondHand); });
    router.addOperation("rent/search.aspx", [](Call& call) { return search(call, kRental); });
    router.addOperation("oldhouse/detail.aspx",
                        [](Call& call) { return detail(call, kSecondHand); });
    router.addOperation("rent/detail.aspx", [](Call& call) { return detail(call, kRental); });
}

}  // namespace tovera::service
