// tovera-service: runs the demo portal service until interrupted.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "service/DemoService.h"

namespace {

constexpr std::string_view kUsage = R"(usage: tovera-service [options]

Serves the demo portal (seeded, fictional content) over HTTP.

  --host HOST      address to listen on (default 127.0.0.1)
  --port PORT      port to listen on (default 8080; 0 picks a free one)
  --data DIR       folder of the portal's state (default
                   $XDG_DATA_HOME/tovera/service, else ~/.local/share/tovera/service)
  --demo DIR       seed data and pictures (default: resources/demo of the source tree)
  --reset          drop the stored state and seed afresh
  --delay-ms N     wait N milliseconds before every answer
  --help           show this text
)";

std::string defaultDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::string(xdg) + "/tovera/service";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/tovera/service";
}

bool parseNumber(std::string_view text, int& out) {
    if (text.empty() || text.size() > 9) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    out = value;
    return true;
}

int usageError(std::string_view message) {
    std::cerr << "tovera-service: " << message << "\n\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    tovera::service::ServiceOptions options;
    options.port = 8080;
    options.dataDir = defaultDataDir();
    options.recordRequests = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--reset") {
            options.reset = true;
        } else if (arg == "--host" && hasValue) {
            options.host = argv[++i];
        } else if (arg == "--data" && hasValue) {
            options.dataDir = argv[++i];
        } else if (arg == "--demo" && hasValue) {
            options.demoDir = argv[++i];
        } else if (arg == "--port" && hasValue) {
            if (!parseNumber(argv[++i], options.port) || options.port > 65535)
                return usageError("--port needs a number from 0 to 65535");
        } else if (arg == "--delay-ms" && hasValue) {
            int ms = 0;
            if (!parseNumber(argv[++i], ms)) return usageError("--delay-ms needs a number");
            options.delay = std::chrono::milliseconds(ms);
        } else {
            return usageError("unknown or incomplete option " + std::string(arg));
        }
    }

    // Wait for the end signal on this thread; the service's threads never see it.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    tovera::service::DemoService service(options);
    std::string error;
    if (!service.start(&error)) {
        std::cerr << "tovera-service: " << error << "\n";
        return 1;
    }
    std::cout << "tovera-service: serving " << service.baseUrl() << "/api/phone/ (data in "
              << options.dataDir << ")" << std::endl;
    int received = 0;
    sigwait(&signals, &received);
    service.stop();
    return 0;
}
