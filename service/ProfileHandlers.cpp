// Profile editing: user/setinfo.aspx (personal and home-buying sections,
// purchase records) and user/headphoto.aspx. The editor sends every field on
// every save, so sections 1 and 2 update the user fields present and
// section 3 only ever touches purchase records.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <utility>
#include <vector>

#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalConfig.h"
#include "service/PortalQueries.h"
#include "service/Schema.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

// The profile fields whose filling makes up the completion percentage.
constexpr std::string_view kProfileFields[] = {
    "realname",  "gander",     "age",           "tel",     "email",
    "qq",        "photo",      "birth",         "edu",     "trade",
    "family",    "income",     "family_income", "address", "pref_cities",
    "want_size", "want_price", "flat",          "type",    "buystate"};

std::string recomputeCompletion(Database& db, std::int64_t user) {
    std::string filled;
    for (std::string_view field : kProfileFields) {
        if (!filled.empty()) filled += " + ";
        filled += "(" + std::string(field) + " <> '')";
    }
    std::int64_t count = std::size(kProfileFields);
    std::string completion = std::to_string(queryInteger(
        db, "SELECT (" + filled + ") * 100 / ?2 FROM user WHERE id = ?1", user, count));
    execute(db, "UPDATE user SET completion = ?2 WHERE id = ?1", user, completion);
    return completion;
}

Dict saved(Database& db, std::int64_t user) {
    Dict reply = success("修改成功");
    reply.set("completion", recomputeCompletion(db, user));
    return reply;
}

// "yyyy-MM-dd" of a real day, and the age it gives today.
std::optional<int> ageOn(std::string_view date) {
    int year = 0, month = 0, day = 0;
    char tail = 0;
    if (date.size() != 10 ||
        std::sscanf(std::string(date).c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3)
        return std::nullopt;
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1900 ||
        year > today.tm_year + 1900)
        return std::nullopt;
    int age = today.tm_year + 1900 - year;
    if (today.tm_mon + 1 < month || (today.tm_mon + 1 == month && today.tm_mday < day)) --age;
    return age < 0 ? 0 : age;
}

bool isMailAddress(std::string_view mail) {
    std::size_t at = mail.find('@');
    if (at == std::string_view::npos || at == 0) return false;
    std::size_t dot = mail.find('.', at + 2);
    return dot != std::string_view::npos && dot + 1 < mail.size();
}

// The preferred cities among a comma list of ids: known cities only.
std::string knownCities(Database& db, std::string_view ids) {
    std::string kept;
    for (std::int64_t id : splitIds(ids, ',')) {
        if (queryInteger(db, "SELECT count(*) FROM city WHERE id = ?1", id) == 0) continue;
        if (!kept.empty()) kept += ',';
        kept += std::to_string(id);
    }
    return kept;
}

// The stored "rooms,halls,bathrooms" with the parts the request sends replaced.
std::string flatWith(const ServiceRequest& r, const std::string& stored) {
    std::vector<std::int64_t> parts = splitIds(stored, ',');
    parts.resize(3, 0);
    const char* keys[] = {"room", "hall", "bathroom"};
    for (std::size_t i = 0; i < 3; ++i) {
        if (auto n = parseInteger(r.text(keys[i])); n && *n >= 0 && *n <= 10) parts[i] = *n;
    }
    return std::to_string(parts[0]) + "," + std::to_string(parts[1]) + "," +
           std::to_string(parts[2]);
}

// The class "classic" names: its row in the "classic" list + 1, the one
// encoding the editor sends whether the class was picked or left as bound
// (reading a bound class as its own index made a pick of the row before the
// stored class keep the stored one). Out of range: the class stays.
std::string classWith(const ServiceRequest& r, const std::string& stored) {
    std::int64_t n = parseInteger(r.text("classic")).value_or(-1);
    std::string_view picked = config::entry(config::kClassic, n - 1);
    return picked.empty() ? stored : std::string(picked);
}

// Sections 1 and 2: the user's own fields, each only when sent.
Dict savePersonal(Call& call) {
    const ServiceRequest& r = call.request;
    const Dict& p = r.params;
    std::string mail(trimmed(r.text("mail")));
    if (!mail.empty() && !isMailAddress(mail)) return refusal("请输入正确的邮件格式");
    std::optional<Dict> user =
        queryRow(call.db, "SELECT flat, type, buystate FROM user WHERE id = ?1", r.userId);
    if (!user) return refusal("该用户不存在");

    std::vector<std::pair<std::string_view, std::string>> changes;
    auto copy = [&](std::string_view key, std::string_view column) {
        if (p.contains(key)) changes.emplace_back(column, std::string(trimmed(r.text(key))));
    };
    copy("name", "realname");
    copy("tel", "tel");
    copy("mail", "email");
    copy("qq", "qq");
    copy("e", "edu");
    copy("b", "trade");
    copy("p", "family");
    copy("p_i", "income");
    copy("f_i", "family_income");
    copy("add", "address");
    copy("size", "want_size");
    copy("price", "want_price");
    std::string gander = r.text("gander");
    if (gander == "男" || gander == "女" || gander == "保密")
        changes.emplace_back("gander", gander);
    if (auto privacy = parseInteger(r.text("privacy")); privacy && *privacy >= 0 && *privacy <= 2)
        changes.emplace_back("privacy", std::to_string(*privacy));
    std::string birth(trimmed(r.text("brithday")));
    if (auto age = ageOn(birth)) {
        changes.emplace_back("birth", birth);
        changes.emplace_back("age", std::to_string(*age));
    }
    if (p.contains("city"))
        changes.emplace_back("pref_cities", knownCities(call.db, r.text("city")));
    if (p.contains("room") || p.contains("hall") || p.contains("bathroom"))
        changes.emplace_back("flat", flatWith(r, (*user)["flat"].toText()));
    if (p.contains("classic")) changes.emplace_back("type", classWith(r, (*user)["type"].toText()));
    std::string_view state =
        config::entry(config::kBuystate, parseInteger(r.text("state")).value_or(0) - 1);
    if (!state.empty()) changes.emplace_back("buystate", state);

    Transaction transaction(call.db);
    for (const auto& [column, value] : changes)
        execute(call.db, "UPDATE user SET " + std::string(column) + " = ?2 WHERE id = ?1", r.userId,
                value);
    Dict reply = saved(call.db, r.userId);
    transaction.commit();
    return reply;
}

// A purchase record's project, phase and building, each checked against the
// one above it; a tag "0" (never chosen) keeps the stored value.
struct Place {
    std::int64_t hid = 0, lid = 0, bid = 0;
};

Place placeWith(Database& db, const ServiceRequest& r, Place place) {
    std::int64_t hid = r.integer("house");
    if (hid > 0 && hid != place.hid &&
        queryInteger(db, "SELECT count(*) FROM project WHERE id = ?1", hid) > 0)
        place = Place{hid, 0, 0};
    std::int64_t lid = r.integer("lid");
    if (lid > 0 &&
        queryInteger(db, "SELECT count(*) FROM phase WHERE id = ?1 AND project = ?2", lid,
                     place.hid) > 0 &&
        lid != place.lid)
        place = Place{place.hid, lid, 0};
    std::int64_t bid = r.integer("build");
    if (bid > 0 && queryInteger(db, "SELECT count(*) FROM building WHERE id = ?1 AND phase = ?2",
                                bid, place.lid) > 0)
        place.bid = bid;
    return place;
}

// Section 3: "id" is one of the caller's purchase records (edit, or delete
// when no field is sent) or the caller's own id (a new record).
Dict savePurchase(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    const Dict& p = r.params;
    bool fields = p.contains("state") || p.contains("house") || p.contains("num");
    bool adding = id == r.userId;
    Place stored;
    std::string state, unit, num;
    if (!adding) {
        Statement record(call.db,
                         "SELECT hid, lid, bid, state, unit, num FROM purchase "
                         "WHERE id = ?1 AND uid = ?2");
        bindAll(record, id, r.userId);
        if (!record.step()) return refusal("记录不存在");
        stored = Place{record.integer(0), record.integer(1), record.integer(2)};
        state = record.text(3);
        unit = record.text(4);
        num = record.text(5);
    }
    if (!fields) {
        if (adding) return refusal("记录不存在");
        execute(call.db, "DELETE FROM purchase WHERE id = ?1", id);
        return success("删除成功");
    }
    Place place = placeWith(call.db, r, stored);
    if (place.hid == 0) return refusal("请选择楼盘");
    std::string_view chosenState =
        config::entry(config::kBuystate, parseInteger(r.text("state")).value_or(0) - 1);
    if (!chosenState.empty()) state = chosenState;
    if (state.empty()) state = config::kBuystate[0];
    if (auto n = parseInteger(r.text("unit")); n && *n >= 1) unit = std::to_string(*n);
    if (std::string sent(trimmed(r.text("num"))); !sent.empty() && sent != "0") num = sent;

    Transaction transaction(call.db);
    if (adding) id = nextId(call.db, "purchase");
    execute(call.db,
            "INSERT INTO purchase(id, uid, state, hid, lid, bid, unit, num, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, unixepoch()) ON CONFLICT(id) DO UPDATE SET "
            "state = ?3, hid = ?4, lid = ?5, bid = ?6, unit = ?7, num = ?8",
            id, r.userId, state, place.hid, place.lid, place.bid, unit, num);
    Dict reply = saved(call.db, r.userId);
    transaction.commit();
    return reply;
}

Dict setinfo(Call& call) {
    if (!call.request.signedIn()) return notSignedIn();
    return call.request.type == "3" ? savePurchase(call) : savePersonal(call);
}

// Stores the new head photo under a new name (the client caches pictures
// by address) and removes the upload it replaces.
Dict headphoto(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    auto photo = r.pictures.find("photo");
    if (photo == r.pictures.end()) return refusal("请选择图片");
    std::string previous = queryText(call.db, "SELECT photo FROM user WHERE id = ?1", r.userId);
    Transaction transaction(call.db);
    std::string name = call.portal.saveUpload(photo->second);
    execute(call.db, "UPDATE user SET photo = ?2 WHERE id = ?1", r.userId, name);
    recomputeCompletion(call.db, r.userId);
    transaction.commit();
    constexpr std::string_view kUploads = "upload/";
    if (previous.starts_with(kUploads)) {
        std::error_code ignored;
        std::filesystem::remove(call.portal.uploadDir() + "/" + previous.substr(kUploads.size()),
                                ignored);
    }
    return success("修改头像成功!");
}

}  // namespace

void addProfileOperations(Router& router) {
    router.addOperation("user/setinfo.aspx", setinfo);
    router.addOperation("user/headphoto.aspx", headphoto);
}

}  // namespace tovera::service
