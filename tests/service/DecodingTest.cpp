// Request decoding: queries and forms (GB18030, "%" and "+" rules, raw "|"),
// multipart bodies with and without their closing delimiter, and bodies the
// service must answer without reading them as intended.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"
#include "core/Gb18030.h"
#include "service/DemoService.h"
#include "service/RequestDecoding.h"

namespace tovera::test {
namespace {

using service::decodeUrlEncoded;
using service::parseMultipart;
using service::TextEncoding;

TEST(ServiceDecoding, UrlEncodedTextFollowsThePortalRules) {
    struct Case {
        std::string wire;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"q=%D1%A7%C7%F8", "q", "学区"},
        {"q=%d1%a7%c7%f8", "q", "学区"},                // lower-case hex
        {"cid=9|7|5", "cid", "9|7|5"},                  // raw "|"
        {"a=1+1", "a", "1+1"},                          // "+" is a plus
        {"a=100%", "a", "100%"},                        // "%" at the end
        {"a=5%2", "a", "5%2"},                          // one hex digit
        {"a=%zz%41", "a", "%zzA"},                      // not hex, then hex
        {"a=%25", "a", "%"},                            // the client's escaped "%"
        {"a", "a", ""},                                 // no "="
        {"a=1&a=2", "a", "2"},                          // the last wins
        {"&&a=x=y&", "a", "x=y"},                       // split at the first "="
        {"a=%81%30%81%30", "a", "\xC2\x80"},            // four-byte GB18030 (U+0080)
        {"a=%FF%FE", "a", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // invalid: U+FFFD each
        {"a=\xD1\xA7", "a", "学"},                      // raw GB18030 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wire);
        Dict params;
        decodeUrlEncoded(c.wire, TextEncoding::kGb18030, params);
        EXPECT_EQ(params[c.key].toText(), c.value);
    }
}

TEST(ServiceDecoding, MultipartBodiesAreReadWithOrWithoutTheirClosingLine) {
    const std::string b = "--B\r\n";
    const std::string text = "Content-Disposition: form-data; name=\"text\"\r\n\r\n\xBA\xC3\r\n";
    const std::string id = "Content-Disposition: form-data; name=\"id\"\r\n\r\n7\r\n";
    struct Case {
        std::string name;
        std::string contentType;
        std::string body;
        std::size_t parts;
    };
    const Case cases[] = {
        {"closing delimiter", "multipart/form-data; boundary=B", b + text + b + id + "--B--\r\n",
         2},
        {"no closing delimiter", "multipart/form-data; boundary=B", b + text + b + id + b, 2},
        {"ends after the last value", "multipart/form-data; boundary=B", b + text + b + id, 2},
        {"closing without CRLF, epilogue", "multipart/form-data; boundary=\"B\"",
         b + text + "--B--epilogue", 1},
        {"empty segment", "multipart/form-data; boundary=B", b + "--B--\r\n", 0},
        {"empty segment between parts", "multipart/form-data; boundary=B",
         b + text + b + b + id + "--B--", 2},
        {"boundary from the first line", "multipart/form-data", b + text + b + id + b, 2},
        {"preamble", "multipart/form-data; boundary=B", "preamble\r\n" + b + id + "--B--", 1},
        {"part without a name", "multipart/form-data; boundary=B",
         b + "Content-Disposition: form-data\r\n\r\nx\r\n" + b + id + b, 1},
        {"no headers end", "multipart/form-data; boundary=B", b + "Content-Disposition: form", 0},
        {"not multipart at all", "multipart/form-data; boundary=B", "hello", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto parts = parseMultipart(c.contentType, c.body);
        ASSERT_EQ(parts.size(), c.parts);
        for (const auto& part : parts) {
            std::string expected = part.name == "text" ? "\xBA\xC3" : "7";
            EXPECT_EQ(part.body, expected) << part.name;
        }
    }
}

TEST(ServiceDecoding, MultipartKeepsPicturesByTheirBytesAndNeverPercentDecodesText) {
    std::vector<Part> parts = {
        {"text", "100%41 好"}, {"pic1", tinyPng(), true}, {"pic2", "not a picture", true}};
    Dict params;
    service::Pictures pictures;
    service::decodeParameters("api=postcomment",
                              std::string("multipart/form-data; boundary=") + kBoundary,
                              multipartBody(parts, false), params, pictures);
    EXPECT_EQ(params["text"].toText(), "100%41 好");
    EXPECT_EQ(params["api"].toText(), "postcomment");
    EXPECT_EQ(pictures.count("pic1"), 1u);
    EXPECT_EQ(pictures.count("pic2"), 0u);
}

class ServiceWire : public ::testing::Test {
protected:
    RunningService service_;
    ApiClient api_{service_};
};

TEST_F(ServiceWire, UploadsArriveWithAndWithoutTheClosingDelimiter) {
    std::string token = api_.login("demo", "demo1234");
    for (bool closing : {true, false}) {
        SCOPED_TRACE(closing ? "closing delimiter" : "no closing delimiter");
        std::string text = closing ? "有结尾" : "无结尾";
        Value posted = api_.postMultipart("user/messagepost.aspx",
                                          {{"t", "8"},
                                           {"ptype", "5"},
                                           {"id", "70003"},
                                           {"text", text},
                                           {"access_token", token},
                                           {"pic1", tinyPng(), true}},
                                          closing);
        ASSERT_EQ(posted["code"].intValue(), 0) << posted["msg"].toText();
        Value listed = api_.get("system/comment_list.aspx", {{"t", "5"}, {"id", "70003"}});
        EXPECT_EQ(listed["result"][0]["commenthtml"].toText(), text);
    }
}

TEST_F(ServiceWire, FormsArriveWithoutContentTypeOrWithACharset) {
    for (const char* type : {"", "application/x-www-form-urlencoded",
                             "application/x-www-form-urlencoded; charset=GB18030", "text/plain"}) {
        SCOPED_TRACE(type);
        Value session = api_.postForm("user/login.aspx",
                                      {{"username", "李华"}, {"password", "lihua123"}}, type);
        EXPECT_EQ(session["id"].toText(), "3");
    }
    // A form posted to the upload path works too.
    std::string token = api_.login("demo", "demo1234");
    Value posted = api_.postForm(
        "user/messagepost.aspx",
        {{"t", "8"}, {"ptype", "1"}, {"id", "50005"}, {"text", "表单"}, {"access_token", token}});
    EXPECT_EQ(posted["code"].intValue(), 0);
}

TEST_F(ServiceWire, MalformedRequestsGetAnAnswerNotACrash) {
    WireClient& wire = api_.wire();
    // Bytes that are not GB18030 in a name: refused as characters a name cannot hold.
    HttpReply badName =
        wire.post(service_.api("user/register.aspx"), "username=ab%FF%FF&password=abcdef", "");
    EXPECT_EQ(replyOf(badName)["msg"].toText(), "用户名含有非法字符");
    HttpReply badQuery = wire.get(service_.api("news/search.aspx?q=%80%FF%FE%A1&page=%%&size=x"));
    EXPECT_EQ(replyOf(badQuery)["error_code"].intValue(), 200);
    HttpReply brokenMultipart = wire.post(service_.api("user/messagepost.aspx"),
                                          "--B\r\nContent-Disp", "multipart/form-data; boundary=B");
    EXPECT_EQ(replyOf(brokenMultipart)["code"].intValue(), 1);
    HttpReply unknown = wire.get(service_.api("nothing/here.aspx"));
    EXPECT_EQ(unknown.status, 404);
    EXPECT_EQ(replyOf(unknown)["msg"].toText(), "接口不存在");
    HttpReply tooLarge = wire.post(service_.api("user/login.aspx"),
                                   std::string(service::kMaxRequestBody + 1, 'a'), "");
    EXPECT_EQ(tooLarge.status, 413);
    EXPECT_EQ(replyOf(tooLarge)["error_code"].intValue(), 413);
    // The service still answers afterwards.
    EXPECT_EQ(api_.get("system/citylist.aspx", {})["total"].intValue(), 10);
}

TEST_F(ServiceWire, RepliesAreGb18030WithRawChineseText) {
    HttpReply reply = api_.wire().get(service_.api("system/citylist.aspx"));
    EXPECT_EQ(reply.contentType, "application/json; charset=GB18030");
    EXPECT_EQ(reply.body.rfind("{\"error_code\":200,", 0), 0u);
    EXPECT_NE(reply.body.find(gb18030::fromUtf8Lossy("\"city\":\"合肥\"")), std::string::npos);
    EXPECT_EQ(reply.body.find("\\u"), std::string::npos);
}

}  // namespace
}  // namespace tovera::test
