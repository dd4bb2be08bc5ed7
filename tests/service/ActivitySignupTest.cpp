// Signing up for an activity through its web page: the form, the result
// page's "code" element the client reads, and the count the detail shows.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"
#include "core/Encoding.h"
#include "service/Database.h"

namespace tovera::test {
namespace {

class ActivitySignup : public ::testing::Test {
protected:
    std::string page(const std::string& query) {
        HttpReply reply = wire_.get(service_.api("activity/applyactivity.aspx?" + query));
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(reply.contentType, "text/html; charset=utf-8");
        return reply.body;
    }
    // The integer in the element with id "code", as the client reads it; 1
    // when there is no such element.
    static int resultCode(const std::string& html) {
        const std::string open = "<span id=\"code\">";
        std::size_t at = html.find(open);
        if (at == std::string::npos) return 1;
        return std::stoi(html.substr(at + open.size()));
    }
    int joins(const std::string& id) {
        return std::stoi(api_.get("activity/detail.aspx", {{"id", id}})["joins"].toText());
    }
    // The first open and the first ended activity of the demo city.
    std::string activity(const std::string& tab) {
        return api_.get("activity/list.aspx", {{"t", tab}, {"cityid", "3401"}})["result"][0]["id"]
            .toText();
    }
    RunningService service_;
    WireClient wire_;
    ApiClient api_{service_};
};

TEST_F(ActivitySignup, TheFormRecordsTheSignUpAndTheDetailCountsIt) {
    std::string id = activity("1");
    std::string form = page("id=" + id);
    EXPECT_EQ(form.find("id=\"code\""), std::string::npos);
    for (const char* field :
         {"name=\"name\"", "name=\"tel\"", "name=\"num\"", "name=\"submit\" value=\"1\""})
        EXPECT_NE(form.find(field), std::string::npos) << field;
    EXPECT_NE(form.find("value=\"" + id + "\""), std::string::npos);

    int before = joins(id);
    // The web view submits the form by GET, UTF-8 and percent-encoded.
    std::string done = page("id=" + id + "&submit=1&name=%E5%BC%A0%E4%B8%89&tel=13900001111&num=3");
    EXPECT_EQ(resultCode(done), 0);
    EXPECT_NE(done.find("报名成功"), std::string::npos);
    EXPECT_EQ(joins(id), before + 3);
    EXPECT_EQ(api_.get("activity/detail.aspx", {{"id", id}})["isend"].toText(), "0");

    // A POST of the same form is accepted; the count is kept within 1-10.
    HttpReply posted = wire_.post(service_.api("activity/applyactivity.aspx"),
                                  "id=" + id + "&submit=1&name=Li&tel=139&num=99",
                                  "application/x-www-form-urlencoded");
    EXPECT_EQ(resultCode(posted.body), 0);
    EXPECT_EQ(joins(id), before + 3 + 10);
}

TEST_F(ActivitySignup, RefusalsCarryCodeOneAndTheReason) {
    std::string open = activity("1");
    std::string ended = activity("2");
    struct Case {
        std::string query;
        std::string reason;
    } cases[] = {
        {"id=" + open + "&submit=1&name=&tel=139", "请填写姓名和电话"},
        {"id=" + open + "&submit=1&name=%20&tel=%20", "请填写姓名和电话"},
        {"id=" + ended + "&submit=1&name=Wang&tel=139", "报名已截止"},
        {"id=1&submit=1&name=Wang&tel=139", "活动不存在"},
        {"submit=1", "活动不存在"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        std::string html = page(c.query);
        EXPECT_EQ(resultCode(html), 1);
        EXPECT_NE(html.find(c.reason), std::string::npos);
    }
    EXPECT_EQ(api_.get("activity/detail.aspx", {{"id", ended}})["isend"].toText(), "1");
    // A typed name is shown back escaped, never as markup.
    std::string echoed = page("id=" + open + "&submit=1&name=%3Cb%3E&tel=");
    EXPECT_EQ(echoed.find("<b>"), std::string::npos);
    EXPECT_NE(echoed.find("&lt;b&gt;"), std::string::npos);
}

TEST_F(ActivitySignup, ASignUpWithTheUsersTokenIsRecordedForThatUser) {
    std::string id = activity("1");
    std::string token = api_.login("demo", "demo1234");
    std::string encoded = URLEncodedString(token);
    // The form carries the token on to its submission.
    std::string form = page("id=" + id + "&access_token=" + encoded);
    EXPECT_NE(form.find("name=\"access_token\" value=\"" + token + "\""), std::string::npos);

    std::string done =
        page("id=" + id + "&access_token=" + encoded + "&submit=1&name=Zhang&tel=139&num=2");
    EXPECT_EQ(resultCode(done), 0);
    EXPECT_NE(done.find("报名账号：demo"), std::string::npos);
    std::string anonymous = page("id=" + id + "&submit=1&name=Li&tel=138");
    EXPECT_EQ(resultCode(anonymous), 0);
    EXPECT_EQ(anonymous.find("报名账号"), std::string::npos);
    std::string forged = page("id=" + id + "&access_token=demo0000&submit=1&name=Wu&tel=137");
    EXPECT_EQ(forged.find("报名账号"), std::string::npos);

    service::Database db(service_.dataDir() + "/portal.sqlite");
    EXPECT_EQ(service::queryText(db,
                                 "SELECT group_concat(s.name || ':' || u.username) FROM signup s "
                                 "JOIN signup_user su ON su.signup = s.id "
                                 "JOIN user u ON u.id = su.uid WHERE s.activity = ?1",
                                 std::int64_t(std::stoll(id))),
              "Zhang:demo");
}

}  // namespace
}  // namespace tovera::test
