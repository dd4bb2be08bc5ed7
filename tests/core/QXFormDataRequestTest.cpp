#include "core/QXFormDataRequest.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "LoopbackServer.h"

using namespace tovera;
using tovera::test::LoopbackServer;

namespace {

std::string gzip(std::string_view text) {
    z_stream s{};
    deflateInit2(&s, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&s, text.size()) + 32, '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    s.avail_in = static_cast<uInt>(text.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

}  // namespace

TEST(QXFormDataRequest, SetPostValueReplacesAndMovesToTheEnd) {
    auto form = QXFormDataRequest::requestWithURL("http://h/");
    form->setPostValue("1", "a");
    form->addPostValue("2", "b");
    form->setPostValue(3, "a");
    form->addPostValue("x", "");
    ASSERT_EQ(form->postData().size(), 2u);
    EXPECT_EQ(form->postData()[0].key, "b");
    EXPECT_EQ(form->postData()[1].key, "a");
    EXPECT_EQ(form->postData()[1].value, "3");
    EXPECT_EQ(form->requestMethod(), "POST");
    EXPECT_EQ(form->timeOutSeconds(), 10);
}

TEST(QXFormDataRequest, PostsEscapedFieldsAndFileParts) {
    LoopbackServer server;
    auto form = QXFormDataRequest::requestWithURL(server.base() + "ics/report.php");
    form->setPostValue("a&b=c+d e", "crash");
    form->setPostValue("设备", "device");
    form->startSynchronous();
    EXPECT_FALSE(form->error());
    EXPECT_EQ(form->responseStatusCode(), 200);
    auto got = server.last();
    EXPECT_EQ(got.body, "crash=a%26b%3Dc%2Bd%20e&device=%E8%AE%BE%E5%A4%87");
    EXPECT_EQ(got.contentType, "application/x-www-form-urlencoded; charset=utf-8");

    auto empty = QXFormDataRequest::requestWithURL(server.base() + "e");
    empty->startSynchronous();
    EXPECT_EQ(server.last().body, "");
    EXPECT_EQ(server.last().contentType, "application/x-www-form-urlencoded; charset=utf-8");

    auto withFile = QXFormDataRequest::requestWithURL(server.base() + "f");
    withFile->addPostValue("v", "k");
    withFile->addData("bytes", "log.txt", "text/plain", "file");
    EXPECT_EQ(withFile->postFormat(), QXFormDataRequest::PostFormat::kMultipart);
    withFile->startSynchronous();
    got = server.last();
    EXPECT_EQ(
        got.contentType.rfind("multipart/form-data; charset=utf-8; boundary=0xKhTmLbOuNdArY-", 0),
        0u);
    ASSERT_EQ(got.files.count("file"), 1u);
    EXPECT_EQ(got.files.find("file")->second.filename, "log.txt");
    EXPECT_EQ(got.files.find("file")->second.content, "bytes");
    EXPECT_EQ(got.files.find("k")->second.content, "v");
}

TEST(QXFormDataRequest, InflatesGzipRepliesAndAlwaysReturns) {
    LoopbackServer server;
    server.respond([](const httplib::Request& req, httplib::Response& res) {
        EXPECT_EQ(req.get_header_value("Accept-Encoding"), "gzip");
        EXPECT_EQ(req.get_header_value("User-Agent").rfind("Tovera ", 0), 0u);
        res.set_header("Content-Encoding", "gzip");
        res.set_content(gzip("thanks for the report"), "application/octet-stream");
    });
    auto form = QXFormDataRequest::requestWithURL(server.base() + "r");
    form->setPostValue("x", "y");
    form->startSynchronous();
    EXPECT_FALSE(form->error());
    EXPECT_EQ(form->responseData(), "thanks for the report");

    auto bad = QXFormDataRequest::requestWithURL("not a url");
    bad->startSynchronous();
    EXPECT_EQ(bad->error(), "Unable to create request (bad url?)");

    auto missing = QXFormDataRequest::requestWithURL(server.base() + "m");
    missing->addFile("/nonexistent/file", "f", "text/plain", "f");
    missing->startSynchronous();
    EXPECT_EQ(missing->error(), "Unable to create read stream");

    // Nothing listens there: the request completes with an error.
    auto refused = QXFormDataRequest::requestWithURL(
        "http://127.0.0.1:" + std::to_string(test::unusedPort()) + "/ics/report.php");
    refused->startSynchronous();
    EXPECT_TRUE(refused->complete());
    EXPECT_TRUE(refused->error());
}

TEST(QXFormDataRequest, TimeOutIsHonoured) {
    LoopbackServer server;
    std::mutex gate;
    std::unique_lock held(gate);
    server.respond([&](const httplib::Request&, httplib::Response& res) {
        std::lock_guard wait(gate);
        res.set_content("late", "text/plain");
    });
    auto form = QXFormDataRequest::requestWithURL(server.base() + "slow");
    form->setTimeOutSeconds(1);
    form->startSynchronous();
    held.unlock();
    EXPECT_TRUE(form->error());
}
