// Accounts: user/login.aspx, user/register.aspx, user/info.aspx and
// user/setpassword.aspx.
#include "service/Accounts.h"
#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/Schema.h"
#include "service/Text.h"

#include "core/Gb18030.h"

namespace tovera::service {

namespace {

constexpr std::string_view kMasked = "保密";

// The login reply: what the client keeps as its session.
Dict sessionOf(Database& db, std::int64_t userId) {
    return queryRow(db,
                    "SELECT id, username, pwvalue AS password, completion FROM user WHERE id = ?1",
                    userId)
        .value_or(Dict{});
}

Dict login(Call& call) {
    std::string name = call.request.text("username");
    std::int64_t id = queryInteger(call.db, "SELECT id FROM user WHERE username = ?1", name);
    if (id == 0 || !checkPassword(call.db, id, call.request.text("password")))
        return refusal("用户名或密码错误");
    return sessionOf(call.db, id);
}

// Names are joined by "," and "|", cut at "(" and split at spaces by the
// client's message screens; U+FFFD marks bytes that were not GB18030.
bool isAcceptableName(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        char32_t c;
        std::size_t n = gb18030::decodeUtf8(name.substr(i), c);
        if (n == 0) return false;
        i += n;
        if (c < 0x20 || c == 0x7F || c == 0xFFFD || c == 0x3000) return false;
        if (c == '(' || c == ')' || c == ',' || c == '|' || c == '%' || c == ' ') return false;
    }
    return true;
}

Dict registerUser(Call& call) {
    std::string name = call.request.text("username");
    std::string password = call.request.text("password");
    std::size_t nameChars = characterCount(name);
    std::size_t passwordChars = characterCount(password);
    if (nameChars < 2 || nameChars > 16) return refusal("用户名长度要求2-16位");
    if (passwordChars < 5 || passwordChars > 16) return refusal("密码长度要求5-16位");
    if (!isAcceptableName(name)) return refusal("用户名含有非法字符");
    if (queryInteger(call.db, "SELECT count(*) FROM user WHERE username = ?1", name) > 0)
        return refusal("该用户名已被注册");

    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "user");
    execute(call.db,
            "INSERT INTO user(id, username, salt, pwhash, pwvalue, realname, gander, age, tel, "
            "email, qq, point, photo, privacy, completion, birth, edu, trade, family, income, "
            "family_income, address, pref_cities, want_size, want_price, flat, type, buystate, "
            "lat, lon, created_at) VALUES(?1, ?2, '', '', '', '', '', '', '', '', '', '0', '', 1, "
            "'0', '', '', '', '', '', '', '', '', '', '', '', '', '', '', '', unixepoch())",
            id, name);
    execute(call.db,
            "INSERT INTO friend_group(uid, gid, name) VALUES(?1, 1, '默认分组'), (?1, 2, '黑名单')",
            id);
    setPassword(call.db, id, password);
    transaction.commit();
    return sessionOf(call.db, id);
}

// Names of a comma list of city ids, comma-joined.
std::string cityNames(Database& db, std::string_view ids) {
    std::string names;
    while (!ids.empty()) {
        std::size_t comma = ids.find(',');
        std::string_view id = ids.substr(0, comma);
        ids.remove_prefix(comma == std::string_view::npos ? ids.size() : comma + 1);
        std::string name =
            queryText(db, "SELECT name FROM city WHERE id = ?1", parseInteger(id).value_or(0));
        if (name.empty()) continue;
        if (!names.empty()) names += ',';
        names += name;
    }
    return names;
}

Array purchaseRecords(Database& db, std::int64_t userId) {
    return queryRows(
        db,
        "SELECT p.id, p.state, ifnull(c.name, '') AS location, "
        "ifnull(pr.cityid, '') AS cityid, ifnull(d.name, '') AS area, "
        "ifnull(pr.district, '') AS aid, ifnull(pr.name, '') AS house, p.hid, "
        "ifnull(ph.name, '') AS lssue, p.lid, ifnull(b.name, '') AS build, p.bid, "
        "p.unit, p.num FROM purchase p LEFT JOIN project pr ON pr.id = p.hid "
        "LEFT JOIN city c ON c.id = pr.cityid LEFT JOIN district d ON d.id = pr.district "
        "LEFT JOIN phase ph ON ph.id = p.lid LEFT JOIN building b ON b.id = p.bid "
        "WHERE p.uid = ?1 ORDER BY p.id",
        userId);
}

// Hides what the user's privacy level keeps from this viewer.
void maskForViewer(Dict& record, bool isFriend) {
    int privacy = static_cast<int>(parseInteger(record["privacy"].toText()).value_or(0));
    if (privacy == 0) {
        for (auto key : {"realname", "gander", "age", "tel", "email", "point"})
            record.set(key, kMasked);
    }
    if (!isFriend && privacy < 2) {
        for (auto key : {"realname", "gander", "age", "tel", "email", "qq"})
            record.set(key, kMasked);
    }
}

Dict info(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t id = r.integer("id");
    if (id <= 0) id = r.userId;
    std::optional<Dict> record = queryRow(
        call.db,
        "SELECT u.id, u.username, u.realname, u.age, u.tel, u.email, u.qq, u.gander, u.point, "
        "u.photo, ifnull(f.remark, '') AS remark, u.privacy, ifnull(f.gid, -1) AS groupid, "
        "u.completion, u.birth AS date, u.edu AS e, u.trade AS b, u.family AS p, "
        "u.income AS p_i, u.family_income AS f_i, u.address AS 'add', '' AS city, "
        "u.pref_cities AS cityid, u.want_size AS size, u.want_price AS price, u.flat, u.type, "
        "u.buystate AS state FROM user u LEFT JOIN friend f ON f.uid = ?2 AND f.friend = u.id "
        "WHERE u.id = ?1",
        id, r.userId);
    if (!record) return refusal("该用户不存在");
    record->set("city", cityNames(call.db, (*record)["cityid"].toText()));
    call.linkPictures(*record, {"photo"});
    bool own = id == r.userId;
    if (!own) {
        std::int64_t group = parseInteger((*record)["groupid"].toText()).value_or(-1);
        maskForViewer(*record, group >= 1 && group != 2);
    }
    record->set("buyinfo", own ? purchaseRecords(call.db, id) : Array{});
    return std::move(*record);
}

Dict setpassword(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    if (!checkPassword(call.db, r.userId, r.text("oldprd"))) return refusal("原密码错误");
    std::size_t chars = characterCount(r.text("newprd"));
    if (chars > 16) return refusal("新密码长度不能超过16位");
    if (chars < 6) return refusal("新密码长度不能少于6位");
    setPassword(call.db, r.userId, r.text("newprd"));
    return success("密码修改成功");
}

}  // namespace

void addAccountOperations(Router& router) {
    router.addOperation("user/login.aspx", login);
    router.addOperation("user/register.aspx", registerUser);
    router.addOperation("user/info.aspx", info);
    router.addOperation("user/setpassword.aspx", setpassword);
}

}  // namespace tovera::service
