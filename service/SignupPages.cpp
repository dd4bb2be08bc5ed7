// "activity/applyactivity.aspx": the sign-up web page of an activity, shown
// in the client's web view. The first page is a plain form (no script); its
// submission ("submit=1", GET or POST) answers a page whose element with id
// "code" holds 0 when the sign-up was recorded and 1 with the reason
// otherwise, which is all the client reads. A page opened with the user's
// "access_token" carries it through the form, and the sign-up is recorded
// for that user.
#include <algorithm>

#include "service/Accounts.h"
#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::string_view kPageType = "text/html; charset=utf-8";
constexpr std::int64_t kMaxPersons = 10;

Reply signupPage(std::string_view body) {
    return textReply(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>活动报名</title><style>"
        "body{font-family:sans-serif;font-size:15px;margin:12px;color:#333}"
        "h1{font-size:17px;margin:0 0 6px}.note{color:#888;font-size:13px}"
        "label{display:block;margin:10px 0 3px}input{width:100%;box-sizing:border-box;"
        "padding:6px;font-size:15px}button{margin-top:14px;width:100%;padding:9px;"
        "font-size:16px;color:#fff;background:#2a8bd8;border:0}"
        ".ok{color:#2a8b2a}.fail{color:#c33}</style></head><body>" +
            std::string(body) + "</body></html>\n",
        std::string(kPageType));
}

struct Activity {
    std::string name;
    std::string deadline;
    bool ended = false;
};

std::optional<Activity> findActivity(Database& db, std::int64_t id) {
    Statement statement(db,
                        "SELECT name, display_date(deadline), deadline <= unixepoch() "
                        "FROM activity WHERE id = ?1");
    statement.bind(1, id);
    if (!statement.step()) return std::nullopt;
    return Activity{statement.text(0), statement.text(1), statement.integer(2) != 0};
}

std::string heading(const Activity& activity) {
    return "<h1>" + htmlEscape(activity.name) + "</h1><p class=\"note\">报名截止：" +
           activity.deadline + "</p>";
}

std::string form(std::int64_t id, const Dict& fields) {
    auto value = [&](std::string_view key, std::string_view fallback) {
        return htmlEscape(fields.contains(key) ? fields[key].toText() : std::string(fallback));
    };
    return "<form method=\"get\" action=\"applyactivity.aspx\" accept-charset=\"utf-8\">"
           "<input type=\"hidden\" name=\"id\" value=\"" +
           std::to_string(id) + "\"><input type=\"hidden\" name=\"access_token\" value=\"" +
           value("access_token", "") +
           "\"><input type=\"hidden\" name=\"submit\" value=\"1\">"
           "<label>姓名</label><input name=\"name\" value=\"" +
           value("name", "") + "\"><label>电话</label><input name=\"tel\" type=\"tel\" value=\"" +
           value("tel", "") +
           "\"><label>人数（1-10）</label><input name=\"num\" type=\"number\" min=\"1\" "
           "max=\"10\" value=\"" +
           value("num", "1") + "\"><button type=\"submit\">提交报名</button></form>";
}

std::string result(int code, std::string_view text) {
    return "<p class=\"" + std::string(code == 0 ? "ok" : "fail") + "\">" + std::string(text) +
           "</p><p class=\"note\">结果代码：<span id=\"code\">" + std::to_string(code) +
           "</span></p>";
}

// The account a signed-in user's sign-up is recorded for.
std::string account(const std::optional<Identity>& user) {
    return user ? "<p class=\"note\">报名账号：" + htmlEscape(user->name) + "</p>" : "";
}

// Records a sign-up: the persons count towards the activity's "joins".
std::string submit(Database& db, std::int64_t id, const std::optional<Activity>& activity,
                   const Dict& fields) {
    if (!activity) return result(1, "活动不存在");
    std::string name(trimmed(fields["name"].toText()));
    std::string tel(trimmed(fields["tel"].toText()));
    if (activity->ended) return heading(*activity) + result(1, "报名已截止");
    if (name.empty() || tel.empty())
        return heading(*activity) + result(1, "请填写姓名和电话") + form(id, fields);
    std::int64_t persons =
        std::clamp<std::int64_t>(parseInteger(fields["num"].toText()).value_or(1), 1, kMaxPersons);
    Transaction transaction(db);
    execute(db,
            "INSERT INTO signup(activity, name, tel, num, created_at) "
            "VALUES(?1, ?2, ?3, ?4, unixepoch())",
            id, name, tel, persons);
    std::optional<Identity> user = identify(db, fields["access_token"].toText());
    if (user)
        execute(db, "INSERT INTO signup_user(signup, uid) VALUES(last_insert_rowid(), ?1)",
                user->id);
    execute(db, "UPDATE activity SET joins = joins + ?2 WHERE id = ?1", id, persons);
    transaction.commit();
    return heading(*activity) +
           result(0,
                  "报名成功！共" + std::to_string(persons) + "人，工作人员会尽快与您电话联系。") +
           account(user);
}

Reply applyActivity(const IncomingRequest& in, Portal& portal) {
    Dict fields = pageParameters(in);
    std::int64_t id = parseInteger(fields["id"].toText()).value_or(0);
    Database& db = portal.database();
    auto lock = db.lock();
    std::optional<Activity> activity = findActivity(db, id);
    if (fields["submit"].toText() == "1") return signupPage(submit(db, id, activity, fields));
    if (!activity) return signupPage("<p class=\"fail\">活动不存在</p>");
    if (activity->ended) return signupPage(heading(*activity) + "<p class=\"fail\">报名已截止</p>");
    Dict carried;
    carried.set("access_token", fields["access_token"].toText());
    return signupPage(heading(*activity) + form(id, carried));
}

}  // namespace

void addSignupPages(Router& router) {
    router.addPage("/api/phone/activity/applyactivity.aspx", applyActivity);
}

}  // namespace tovera::service
