// Endpoints outside the JSON dialogue: pictures, the tools page, geocoding,
// crash reports.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"
#include "platform/Md5.h"

namespace tovera::test {
namespace {

class ServicePages : public ::testing::Test {
protected:
    RunningService service_;
    WireClient wire_;
};

TEST_F(ServicePages, PicturesAreServedByNameOnly) {
    HttpReply facade = wire_.get(service_.base() + "/pic/facade_01.jpg");
    EXPECT_EQ(facade.status, 200);
    EXPECT_EQ(facade.contentType, "image/jpeg");
    EXPECT_EQ(facade.body.substr(0, 3), "\xFF\xD8\xFF");
    HttpReply splash = wire_.get(service_.base() + "/pic/splash_v1.png");
    EXPECT_EQ(splash.contentType, "image/png");
    for (const char* bad : {"/pic/nothing.jpg", "/pic/../seed.sql", "/pic/%2e%2e/seed.sql",
                            "/pic/seed.sql", "/upload/../portal.sqlite", "/pic/"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(wire_.get(service_.base() + bad).status, 404);
    }
}

TEST_F(ServicePages, UploadedPicturesGetNewNamesAndAreServed) {
    ApiClient api(service_);
    std::string token = api.login("demo", "demo1234");
    Value posted = api.postMultipart("user/messagepost.aspx", {{"t", "8"},
                                                               {"ptype", "5"},
                                                               {"id", "70004"},
                                                               {"text", "图"},
                                                               {"access_token", token},
                                                               {"pic1", tinyPng(), true}});
    ASSERT_EQ(posted["code"].intValue(), 0);
    auto uploads = service_->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(uploads.size(), 1u);
    // The stored picture is named under /upload/.
    HttpReply picture = wire_.get(service_.base() + "/upload/up1.png");
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.body, tinyPng());
}

TEST_F(ServicePages, TheToolsPageCalculatesTheMonthlyPayment) {
    HttpReply tools = wire_.get(service_.api("tools/tools.aspx"));
    EXPECT_EQ(tools.contentType, "text/html; charset=utf-8");
    EXPECT_NE(tools.body.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(tools.body.find("action=\"loan.aspx\""), std::string::npos);
    EXPECT_NE(tools.body.find("href=\"tax.aspx\""), std::string::npos);
    // 700 000 yuan over 30 years at 4.9 %: 3 715.09 a month.
    std::string query = "price=100&down=30&years=30&rate=4.9&method=1";
    HttpReply loan = wire_.get(service_.api("tools/loan.aspx?" + query));
    EXPECT_NE(loan.body.find("3715.09"), std::string::npos);
    HttpReply posted =
        wire_.post(service_.api("tools/loan.aspx"), query, "application/x-www-form-urlencoded");
    EXPECT_NE(posted.body.find("3715.09"), std::string::npos);
    HttpReply nonsense = wire_.get(service_.api("tools/loan.aspx?price=%22%3E%3Cscript%3E&down=x"));
    EXPECT_EQ(nonsense.body.find("<script>"), std::string::npos);
    EXPECT_NE(nonsense.body.find("&quot;&gt;&lt;script&gt;"), std::string::npos);
    HttpReply tax = wire_.get(service_.api("tools/tax.aspx?price=100&area=90&first=1"));
    EXPECT_NE(tax.body.find("10000.00"), std::string::npos)
        << "first home up to 90 m²: 1 % deed tax";
}

TEST_F(ServicePages, GeocodingFindsProjectsThenCities) {
    ApiClient api(service_);
    Value project = api.get("system/cityinfo.aspx", {{"t", "3"}, {"city", "3402"}})["result"][0];
    std::string name = project["name"].toText();
    std::string escaped;
    for (unsigned char c : "芜湖 " + name) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", c);
        escaped += hex;
    }
    std::string answer = wire_.get(service_.base() + "/maps/geo?q=" + escaped + "&output=csv").body;
    EXPECT_EQ(answer.rfind("200,8,", 0), 0u) << answer;
    EXPECT_EQ(wire_.get(service_.base() + "/maps/geo?q=%E8%8A%9C%E6%B9%96%20x&output=csv").body,
              "200,4,31.352859,118.432941");
    EXPECT_EQ(wire_.get(service_.base() + "/maps/geo?q=nowhere&output=csv").body, "602");
}

TEST_F(ServicePages, CrashReportsAreStoredWithTheirAuthentication) {
    std::string key = platform::md5Hex("tovera-crash-report", true);
    std::string body =
        "platform=2&model=iPhone%20iPhone4%2C1&rom=iOS6.1&app=Tovera&version=1.0.0&report=" +
        std::string("NSRangeException%2Cindex%205%20beyond%20bounds%2C%E6%A0%88") + "&authkey=";
    EXPECT_EQ(wire_
                  .post(service_.base() + "/ics/report.php", body + key,
                        "application/x-www-form-urlencoded; charset=utf-8")
                  .body,
              "ok");
    EXPECT_EQ(wire_.post(service_.base() + "/ics/report.php", body + "WRONG", "").body, "ok");
    auto reports = service_->crashReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0]["report"].toText(), "NSRangeException,index 5 beyond bounds,栈");
    EXPECT_EQ(reports[0]["model"].toText(), "iPhone iPhone4,1");
    EXPECT_EQ(reports[0]["auth_ok"].toText(), "1");
    EXPECT_EQ(reports[1]["auth_ok"].toText(), "0");
}

}  // namespace
}  // namespace tovera::test
