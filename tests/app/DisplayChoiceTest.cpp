// Where the window goes: VNC on a machine without a display instead of Qt's
// abort, and the VNC platform's socket on the loopback address by default.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/DisplayChoice.h"

using namespace tovera::app;

namespace {

// Sets (or with null unsets) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DisplayChoice, WithoutADisplayTheAppStartsOnVncAndSaysWhere) {
    const struct {
        const char* display;
        const char* platformEnv;
        std::vector<std::string> arguments;
        std::optional<std::string> chosen;
        bool vnc;
        const char* port;
    } cases[] = {
        {nullptr, nullptr, {"tovera"}, "vnc", true, "5900"},
        {":0", nullptr, {"tovera"}, std::nullopt, false, ""},
        {nullptr, nullptr, {"tovera", "-platform", "offscreen"}, std::nullopt, false, ""},
        {nullptr, "vnc:port=5999", {"tovera"}, std::nullopt, true, "5999"},
        {":0",
         nullptr,
         {"tovera", "-platform", "vnc:size=640x960:port=5901"},
         std::nullopt,
         true,
         "5901"},
    };
    for (const auto& c : cases) {
        ScopedEnv display("DISPLAY", c.display);
        ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
        ScopedEnv platform("QT_QPA_PLATFORM", c.platformEnv);
        const DisplayChoice choice = chooseDisplay(c.arguments, "127.0.0.1");
        const std::string trace = c.arguments.back();
        EXPECT_EQ(choice.platform, c.chosen) << trace;
        EXPECT_EQ(choice.vnc, c.vnc) << trace;
        if (c.vnc)
            EXPECT_NE(choice.message.find(std::string("127.0.0.1 port ") + c.port),
                      std::string::npos)
                << choice.message;
        else
            EXPECT_EQ(choice.message, "") << trace;
    }
}

// A socket bound to "any address" (as the VNC platform binds) lands on the
// chosen address; every other bind is left alone, and "0.0.0.0" restores
// every interface.
TEST(DisplayChoice, VncListensOnTheChosenAddressOnly) {
    const auto boundAddress = [](int family, bool any) {
        const int fd = ::socket(family, SOCK_STREAM, 0);
        sockaddr_storage address{};
        socklen_t length = 0;
        if (family == AF_INET) {
            auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
            v4->sin_family = AF_INET;
            v4->sin_addr.s_addr = htonl(any ? INADDR_ANY : INADDR_LOOPBACK);
            length = sizeof *v4;
        } else {
            auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
            v6->sin6_family = AF_INET6;
            v6->sin6_addr = any ? in6addr_any : in6addr_loopback;
            length = sizeof *v6;
        }
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
        sockaddr_storage bound{};
        socklen_t boundLength = sizeof bound;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &boundLength);
        ::close(fd);
        char text[INET6_ADDRSTRLEN] = {};
        if (bound.ss_family == AF_INET)
            inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&bound)->sin_addr, text,
                      sizeof text);
        else
            inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&bound)->sin6_addr, text,
                      sizeof text);
        return std::string(text);
    };
    EXPECT_FALSE(restrictVncTo("not an address"));
    ASSERT_TRUE(restrictVncTo(CommandLine::parse({"tovera"}).vncAddress));
    EXPECT_EQ(boundAddress(AF_INET, true), "127.0.0.1");
    EXPECT_EQ(boundAddress(AF_INET6, true), "::ffff:127.0.0.1");
    EXPECT_EQ(boundAddress(AF_INET6, false), "::1") << "a chosen address stays";
    ASSERT_TRUE(restrictVncTo("0.0.0.0"));
    EXPECT_EQ(boundAddress(AF_INET, true), "0.0.0.0");
}

}  // namespace
