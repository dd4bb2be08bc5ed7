#include "app/DisplayChoice.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace tovera::app {

namespace {

// Qt's VNC platform offers no choice of address: it listens on every
// interface. While a VNC address is chosen, a bind of a listening socket to
// "any address" is turned into a bind to the chosen one. Every other bind
// passes through unchanged, and nothing changes until restrictVncTo().
struct VncAddress {
    std::atomic<bool> set{false};
    sockaddr_storage address{};
    socklen_t length = 0;
};

VncAddress& vncAddress() {
    static VncAddress chosen;
    return chosen;
}

bool isAnyAddress(const sockaddr* address) {
    if (address->sa_family == AF_INET)
        return reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr == htonl(INADDR_ANY);
    if (address->sa_family == AF_INET6)
        return IN6_IS_ADDR_UNSPECIFIED(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
    return false;
}

in_port_t portOf(const sockaddr* address) {
    return address->sa_family == AF_INET
               ? reinterpret_cast<const sockaddr_in*>(address)->sin_port
               : reinterpret_cast<const sockaddr_in6*>(address)->sin6_port;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

DisplayChoice chooseDisplay(const std::vector<std::string>& qtArguments,
                            const std::string& vncAddress) {
    DisplayChoice choice;
    std::string platform = environment("QT_QPA_PLATFORM");
    for (std::size_t i = 0; i + 1 < qtArguments.size(); ++i)
        if (qtArguments[i] == "-platform" || qtArguments[i] == "--platform")
            platform = qtArguments[i + 1];
    if (platform.empty() && environment("DISPLAY").empty() &&
        environment("WAYLAND_DISPLAY").empty()) {
        choice.platform = "vnc";
        platform = "vnc";
    }
    choice.vnc = platform.rfind("vnc", 0) == 0;
    if (choice.vnc) {
        std::string port = "5900";
        if (const std::size_t at = platform.find("port="); at != std::string::npos)
            port = platform.substr(at + 5, platform.find(':', at) - at - 5);
        choice.message = std::string(choice.platform ? "no display found: " : "") +
                         "the app is on VNC at " + vncAddress + " port " + port +
                         " (connect a VNC viewer there; from another machine, tunnel it with "
                         "ssh -L " +
                         port + ":127.0.0.1:" + port +
                         " <this host>; --vnc-address ADDR listens elsewhere; -platform "
                         "offscreen or --tour DIR run without any display)";
    }
    return choice;
}

bool restrictVncTo(const std::string& address) {
    VncAddress& chosen = vncAddress();
    sockaddr_storage storage{};
    if (auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
        inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        // An IPv4 address also serves sockets opened for both families.
        v4->sin_family = AF_INET;
        chosen.length = sizeof(sockaddr_in);
    } else if (auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
               inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        chosen.length = sizeof(sockaddr_in6);
    } else {
        return false;
    }
    chosen.address = storage;
    // "Any address" is what the platform does by itself.
    chosen.set = !isAnyAddress(reinterpret_cast<const sockaddr*>(&storage));
    return true;
}

}  // namespace tovera::app

// The program's own bind(): as the C library's, but see VncAddress above.
extern "C" int bind(int fd, const sockaddr* address, socklen_t length) {
    using Bind = int (*)(int, const sockaddr*, socklen_t);
    static const Bind system = reinterpret_cast<Bind>(dlsym(RTLD_NEXT, "bind"));
    tovera::app::VncAddress& chosen = tovera::app::vncAddress();
    if (!chosen.set || !address || !tovera::app::isAnyAddress(address))
        return system(fd, address, length);
    sockaddr_storage replaced = chosen.address;
    const in_port_t port = tovera::app::portOf(address);
    if (replaced.ss_family == AF_INET) {
        reinterpret_cast<sockaddr_in*>(&replaced)->sin_port = port;
        if (address->sa_family == AF_INET6) {
            // A socket of the other family: the IPv4 address, mapped.
            sockaddr_in6 mapped{};
            mapped.sin6_family = AF_INET6;
            mapped.sin6_port = port;
            mapped.sin6_addr.s6_addr[10] = 0xff;
            mapped.sin6_addr.s6_addr[11] = 0xff;
            std::memcpy(&mapped.sin6_addr.s6_addr[12],
                        &reinterpret_cast<sockaddr_in*>(&replaced)->sin_addr, 4);
            return system(fd, reinterpret_cast<const sockaddr*>(&mapped), sizeof mapped);
        }
    } else {
        if (address->sa_family != AF_INET6) return system(fd, address, length);
        reinterpret_cast<sockaddr_in6*>(&replaced)->sin6_port = port;
    }
    return system(fd, reinterpret_cast<const sockaddr*>(&replaced), chosen.length);
}
