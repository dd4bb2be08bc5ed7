// system/*: cities and their districts, the map's nearby pins, the home list
// and the update check.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/PortalConfig.h"

namespace tovera::service {

namespace {

constexpr double kDefaultLat = 31.859207;
constexpr double kDefaultLon = 117.30757;
constexpr std::size_t kMaxPins = 50;

std::optional<double> parseDegrees(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    constexpr double kEarthRadiusKm = 6371.0;
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    double dLat = (lat2 - lat1) * kRad;
    double dLon = (lon2 - lon1) * kRad;
    double a =
        std::sin(dLat / 2) * std::sin(dLat / 2) +
        std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

std::string roundedKm(double km) {
    char text[32];
    std::snprintf(text, sizeof text, "约%.1f公里", km);
    return text;
}

Dict citylist(Call& call) {
    Array rows =
        queryRows(call.db, "SELECT id AS cityid, name AS city, lat, lon FROM city ORDER BY id");
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

Dict cityinfo(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t city = r.integer("city");
    if (city <= 0) city = r.cityId;
    Array rows;
    if (r.type == "1" || r.type == "2") {
        rows = queryRows(
            call.db, "SELECT id, name FROM district WHERE cityid = ?1 AND kind = ?2 ORDER BY id",
            city, r.type == "1" ? 1 : 2);
    } else if (r.type == "3") {
        rows = queryRows(
            call.db,
            "SELECT id, name FROM project WHERE cityid = ?1 AND (?2 <= 0 OR district = ?2) "
            "ORDER BY id",
            city, r.integer("area"));
    } else if (r.type == "4") {
        rows = queryRows(call.db, "SELECT id, name FROM phase WHERE project = ?1 ORDER BY id",
                         r.integer("house"));
    } else if (r.type == "5") {
        rows = queryRows(
            call.db,
            "SELECT id, name FROM building WHERE phase = ?1 AND (?2 <= 0 OR project = ?2) "
            "ORDER BY id",
            r.integer("num"), r.integer("house"));
    } else {
        rows = queryRows(call.db, "SELECT id AS cityid, name AS city FROM city ORDER BY id");
    }
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

// The candidates of one map kind: pid, name, text, pic_url, latitude, longitude.
std::string_view pinQuery(std::string_view kind) {
    if (kind == "2" || kind == "3")
        return "SELECT id AS pid, name, "
               "CASE WHEN price <= 0 THEN '面议' WHEN kind = 1 THEN price || '万元' "
               "ELSE price || '元/月' END || CASE WHEN kind = 1 THEN ' ' || unit ELSE '' END AS "
               "text, "
               "substr(pictures, 1, instr(pictures || '|', '|') - 1) AS pic_url, lat AS latitude, "
               "lon AS longitude FROM listing WHERE kind = ?1 AND lat <> ''";
    if (kind == "4")
        return "SELECT u.id AS pid, u.username AS name, '' AS text, u.photo AS pic_url, "
               "u.lat AS latitude, u.lon AS longitude FROM friend f JOIN user u ON u.id = f.friend "
               "WHERE ?1 > 0 AND f.uid = ?2 AND f.gid <> 2 AND u.lat <> ''";
    if (kind == "5")
        return "SELECT id AS pid, username AS name, '' AS text, photo AS pic_url, lat AS latitude, "
               "lon AS longitude FROM user WHERE ?1 > 0 AND id <> ?2 AND lat <> ''";
    return "SELECT id AS pid, name, CASE WHEN price > 0 THEN '均价' || price || '元/平方米' "
           "ELSE '一房一价' END AS text, pic AS pic_url, lat AS latitude, lon AS longitude "
           "FROM project WHERE lat <> ''";
}

Dict location(Call& call) {
    const ServiceRequest& r = call.request;
    std::string_view kind = r.type;
    if (kind != "2" && kind != "3" && kind != "4" && kind != "5") kind = "1";
    bool personal = kind == "4" || kind == "5";
    if (personal && !r.signedIn()) return listReply({}, 0);

    std::optional<double> lat = parseDegrees(r.text("lat"));
    std::optional<double> lon = parseDegrees(r.text("lon"));
    if (!lat || !lon) {
        lat = kDefaultLat;
        lon = kDefaultLon;
    } else if (r.signedIn()) {
        execute(call.db, "UPDATE user SET lat = ?1, lon = ?2 WHERE id = ?3", r.text("lat"),
                r.text("lon"), r.userId);
    }
    std::int64_t limit = r.integer("limit", 1);
    if (limit < 0 || limit >= static_cast<std::int64_t>(config::kArealevel.size()))
        limit = static_cast<std::int64_t>(config::kArealevel.size()) - 1;
    double radius = config::kArealevel[static_cast<std::size_t>(limit)];

    std::vector<std::pair<double, Dict>> pins;
    Statement candidates(call.db, pinQuery(kind));
    // Each kind's query uses the listing kind (?1), the caller (?2), or neither.
    if (candidates.parameterCount() >= 1) candidates.bind(1, kind == "3" ? 2 : 1);
    if (candidates.parameterCount() >= 2) candidates.bind(2, r.userId);
    while (candidates.step()) {
        Dict pin = candidates.row();
        auto pinLat = parseDegrees(pin["latitude"].toText());
        auto pinLon = parseDegrees(pin["longitude"].toText());
        if (!pinLat || !pinLon) continue;
        double km = distanceKm(*lat, *lon, *pinLat, *pinLon);
        if (km > radius) continue;
        if (personal) pin.set("text", roundedKm(km));
        call.linkPictures(pin, {"pic_url"});
        pins.emplace_back(km, std::move(pin));
    }
    std::stable_sort(pins.begin(), pins.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (pins.size() > kMaxPins) pins.resize(kMaxPins);
    Array rows;
    for (auto& pin : pins)
        rows.emplace_back(std::move(pin.second));
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

Dict home(Call& call) {
    const ServiceRequest& r = call.request;
    Array rows =
        queryRows(call.db,
                  "SELECT id, catname AS type, name, price, tel, pic AS image FROM project "
                  "WHERE cityid = ?1 AND recommended = 1 ORDER BY created_at DESC, id DESC "
                  "LIMIT ?2 OFFSET ?3",
                  r.cityId, r.size, r.offset());
    call.linkPictures(rows, {"image"});
    return listReply(
        std::move(rows),
        queryInteger(call.db, "SELECT count(*) FROM project WHERE cityid = ?1 AND recommended = 1",
                     r.cityId));
}

Dict update(Call& call) {
    Array rows = queryRows(call.db,
                           "SELECT platform, code, version, url FROM version "
                           "ORDER BY platform <> 'ios', platform");
    for (Value& row : rows) {
        Dict& fields = *row.dict();
        if (fields["platform"].toText() == "ios") fields.set("code", call.portal.updateCode());
    }
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

}  // namespace

void addSystemOperations(Router& router) {
    router.addOperation("system/citylist.aspx", citylist);
    router.addOperation("system/cityinfo.aspx", cityinfo);
    router.addOperation("system/location.aspx", location);
    router.addOperation("system/home.aspx", home);
    router.addOperation("system/update.aspx", update);
}

}  // namespace tovera::service
