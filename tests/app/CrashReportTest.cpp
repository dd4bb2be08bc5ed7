// The crash report reaches the report endpoint of the demo service: built
// and posted directly, from a process ending in an uncaught exception, and
// at the next start after a fatal signal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CrashReport.h"
#include "core/FatalSignalHandler.h"
#include "core/UncaughtExceptionHandler.h"
#include "platform/Device.h"
#include "platform/Md5.h"
#include "tests/app/ServiceHome.h"

using namespace tovera;
using tovera::testing::onOwnThread;
using tovera::testing::ServiceHome;

namespace {

const std::vector<std::string> kFieldOrder = {"platform", "model",  "rom",    "app",
                                              "version",  "report", "authkey"};

std::vector<std::string> keysOf(const Dict& fields) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : fields)
        keys.push_back(key);
    return keys;
}

struct ChildResult {
    int status = 0;
    std::string output;
};

// Runs the crash child to its end, with the shell replaced by it so the
// status is the child's own.
ChildResult runCrashChild(const std::string& mode, ServiceHome& home) {
    const std::string command = std::string("exec '") + TOVERA_CRASH_CHILD + "' " + mode + " '" +
                                home.path().string() + "' '" + home.service().baseUrl() +
                                "' 2>/dev/null";
    ChildResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    result.status = ::pclose(pipe);
    return result;
}

}  // namespace

TEST(CrashReport, ArrivesWithSevenFieldsInOrder) {
    ServiceHome home;
    const CrashReportFacts facts = CrashReportFacts::current("0.1.0");
    const platform::DeviceInfo device = platform::deviceInfo();
    EXPECT_EQ(facts.model, device.name + " " + device.model);
    EXPECT_EQ(facts.rom, device.systemName + device.systemVersion);

    const std::string report = crashReportText("std::out_of_range", "a&b=c d", "()");
    EXPECT_EQ(report, "std::out_of_range,a&b=c d,()");
    ASSERT_TRUE(onOwnThread([&] { return postCrashReport(facts, report); }));

    const auto posted = home.service().requestsTo("/ics/report.php");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].method, "POST");
    EXPECT_EQ(keysOf(posted[0].params), kFieldOrder);
    const Dict& fields = posted[0].params;
    EXPECT_EQ(fields["platform"].toText(), "2");
    EXPECT_EQ(fields["model"].toText(), facts.model);
    EXPECT_EQ(fields["rom"].toText(), facts.rom);
    EXPECT_EQ(fields["app"].toText(), "Tovera");
    EXPECT_EQ(fields["version"].toText(), "0.1.0");
    EXPECT_EQ(fields["report"].toText(), report);
    EXPECT_EQ(fields["authkey"].toText(), platform::md5Hex("tovera-crash-report", true));
    const auto stored = home.service().crashReports();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TRUE(stored[0]["auth_ok"].boolValue());
}

TEST(CrashReport, UnreachableEndpointIsReportedAsNotSent) {
    ServiceHome home;
    serviceSettings().crashReportHost = "http://127.0.0.1:1";
    EXPECT_FALSE(postCrashReport(CrashReportFacts::current("0.1.0"), "x,y,()"));
    EXPECT_TRUE(home.service().crashReports().empty());
}

TEST(CrashReport, CallStackTextListsFrames) {
    EXPECT_EQ(callStackText({}), "()");
    EXPECT_EQ(callStackText({"0 a", "1 b"}), "(\n    0 a,\n    1 b\n)");
}

TEST(CrashReport, UncaughtExceptionPostsOneReportAndEndsTheProcess) {
    ServiceHome home;
    const ChildResult child = runCrashChild("throw", home);
    ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status;
    EXPECT_EQ(WTERMSIG(child.status), SIGABRT);

    const auto posted = home.service().requestsTo("/ics/report.php");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(keysOf(posted[0].params), kFieldOrder);
    const std::string report = posted[0].params["report"].toText();
    EXPECT_EQ(report.rfind("std::runtime_error,boom from the child,(\n", 0), 0u) << report;
    EXPECT_EQ(posted[0].params["version"].toText(), "9.9.9");
    // The abort() that ends the process leaves no second report behind.
    EXPECT_FALSE(std::filesystem::exists(FatalSignalHandler::markerPath()));
}

TEST(CrashReport, FatalSignalIsReportedAtTheNextStart) {
    ServiceHome home;
    const ChildResult child = runCrashChild("segv", home);
    ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status;
    EXPECT_EQ(WTERMSIG(child.status), SIGSEGV);
    // Nothing was posted from inside the signal handler.
    EXPECT_TRUE(home.service().requestsTo("/ics/report.php").empty());
    ASSERT_TRUE(std::filesystem::exists(FatalSignalHandler::markerPath()));

    std::terminate_handler before = installUncaughtExceptionHandler("0.1.0");
    restoreUncaughtExceptionHandler(before);
    ASSERT_TRUE(onOwnThread(postPendingCrashReport));
    EXPECT_FALSE(onOwnThread(postPendingCrashReport)) << "the marker is used once";

    const auto posted = home.service().requestsTo("/ics/report.php");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(keysOf(posted[0].params), kFieldOrder);
    const std::string address = child.output.substr(0, child.output.find('\n'));
    EXPECT_EQ(posted[0].params["report"].toText(),
              "SIGSEGV,fatal signal 11 at address " + address + ",()");
}
