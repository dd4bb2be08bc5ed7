#include "platform/Log.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovera::platform;

TEST(Log, CredentialsAreRedactedInEveryForm) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"url:http://h/a.aspx?access_token=demo1234&cityid=3401",
         "url:http://h/a.aspx?access_token=***&cityid=3401"},
        {"param:{\"password\":\"se\\\"cret\",\"a\":1}", "param:{\"password\":\"***\",\"a\":1}"},
        {"param:{ password = abc; username = x; }", "param:{ password = ***; username = x; }"},
        {"mypassword=kept", "mypassword=kept"},
        {"password", "password"},
        {"no secrets here", "no secrets here"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(redactCredentials(c.in), c.out);
}

TEST(Log, LinesReachTheInstalledSinkRedacted) {
    std::vector<std::string> lines;
    setLogSink([&](std::string_view line) { lines.emplace_back(line); });
    logLine("login password=abc");
    setLogSink({});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "login password=***");
}
