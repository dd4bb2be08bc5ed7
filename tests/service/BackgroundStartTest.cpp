// A service whose state opens on its serving thread: start() returns before
// the state is open, requests made meanwhile wait and are answered, a stop
// right after the start ends, and a state that cannot open answers 503.
#include <gtest/gtest.h>

#include <fstream>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

constexpr const char* kHomePage = "/api/phone/system/home.aspx?cityid=3401&t=4&page=1&size=3";

service::ServiceOptions backgroundOptions(const std::string& dataDir) {
    service::ServiceOptions options;
    options.dataDir = dataDir;
    options.openInBackground = true;
    options.threads = 2;
    return options;
}

TEST(ServiceBackgroundStart, RequestsMadeWhileSeedingAreAnsweredFromTheSeededState) {
    TempDir data;
    service::DemoService service(backgroundOptions(data.path()));
    std::string error;
    ASSERT_TRUE(service.start(&error)) << error;
    // The first request goes out at once, while a first start seeds.
    WireClient client;
    const HttpReply reply = client.get(service.baseUrl() + kHomePage);
    ASSERT_EQ(reply.result, CURLE_OK);
    EXPECT_EQ(reply.status, 200);
    const Value list = replyOf(reply);
    EXPECT_EQ(list["result"].array() ? list["result"].array()->size() : 0u, 3u) << reply.body;
    service.stop();

    // Restarted on the seeded state, the same way.
    ASSERT_TRUE(service.start(&error)) << error;
    const Value again = replyOf(client.get(service.baseUrl() + kHomePage));
    EXPECT_EQ(again["total"].intValue(), list["total"].intValue());
}

TEST(ServiceBackgroundStart, AStopRightAfterTheStartEndsAndFreesThePort) {
    for (int round = 0; round < 3; ++round) {
        TempDir data;
        service::DemoService service(backgroundOptions(data.path()));
        ASSERT_TRUE(service.start());
        const int port = service.port();
        // Possibly while the state is still seeding: a stop that were lost
        // would leave the serving thread in accept() and this join hanging.
        service.stop();
        EXPECT_FALSE(service.running());
        // The port is free again: a new service takes the same one.
        service::ServiceOptions again = backgroundOptions(data.path());
        again.port = port;
        service::DemoService second(again);
        EXPECT_TRUE(second.start()) << "port " << port;
        second.stop();
    }
}

TEST(ServiceBackgroundStart, AStateThatCannotOpenIsAnswered503) {
    TempDir data;
    // The data folder is a file: the state cannot be made there.
    const std::string blocked = data.path() + "/state";
    std::ofstream(blocked) << "not a folder";
    service::DemoService service(backgroundOptions(blocked));
    ASSERT_TRUE(service.start()) << "the failure shows in the answers, not in start()";
    WireClient client;
    const HttpReply reply = client.get(service.baseUrl() + kHomePage);
    ASSERT_EQ(reply.result, CURLE_OK);
    EXPECT_EQ(reply.status, 503);
    EXPECT_FALSE(replyOf(reply).isNull()) << "a JSON error reply: " << reply.body;
    service.stop();
}

}  // namespace
}  // namespace tovera::test
