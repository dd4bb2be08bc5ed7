// The demo portal service: the portal's HTTP dialogue over seeded SQLite
// state, served on a background thread. The app embeds it as its default
// service, tests drive the client against it (with the fault and inspection
// hooks below), and `tovera-service` runs it on its own.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"
#include "service/ServiceHooks.h"

namespace tovera::service {

struct ServiceOptions {
    std::string host = "127.0.0.1";
    /// 0: any free port (see DemoService::port()).
    int port = 0;
    /// Folder of the state (database and uploads); required.
    std::string dataDir;
    /// Folder of the seed data and pictures; defaults to resources/demo of the source tree.
    std::string demoDir;
    /// Drop the stored state and seed afresh.
    bool reset = false;
    /// Added before every answer.
    std::chrono::milliseconds delay{0};
    /// Worker threads serving connections.
    int threads = 8;
    /// Keep the latest decoded requests of each path for requestsTo() (a test
    /// hook; the app turns it off).
    bool recordRequests = true;
    /// Open (and seed) the state on the serving thread once the port is
    /// bound, so that start() returns at once and the caller's own start-up
    /// runs meanwhile; requests wait in the listen queue until the state is
    /// open. A state that cannot be opened is then answered with HTTP 503
    /// and logged, not reported by start(). The test hooks below are for a
    /// service whose state opened in start().
    bool openInBackground = false;
};

/// Largest request body the service reads (10 MB); larger ones get HTTP 413.
inline constexpr std::size_t kMaxRequestBody = 10 * 1024 * 1024;

class DemoService {
public:
    explicit DemoService(ServiceOptions options);
    ~DemoService();
    DemoService(const DemoService&) = delete;
    DemoService& operator=(const DemoService&) = delete;

    /// Opens (and on first start seeds) the state, binds the port and serves
    /// on a background thread. False, with `error` set, when that fails.
    bool start(std::string* error = nullptr);
    /// Stops serving and waits for the worker threads; the state stays on disk.
    void stop();
    bool running() const;
    /// The bound port (0 before start).
    int port() const;
    /// "http://<host>:<port>" of the running service, without a trailing slash.
    std::string baseUrl() const;

    // Test hooks: service-side controls, never reachable through a request.

    /// A fault for the next `fault.count` requests of `path` (an operation
    /// path such as "news/sort.aspx", another URL path such as "/maps/geo",
    /// or "*" for every path).
    void injectFault(std::string path, Fault fault);
    void clearFaults();
    /// The decoded requests `path` received (same path forms as injectFault).
    std::vector<RecordedRequest> requestsTo(std::string_view path) const;
    /// How many operations the service received since it started.
    std::size_t operationCount() const;
    /// Every crash report stored, oldest first, with its fields and "auth_ok".
    std::vector<Dict> crashReports();
    /// Raises (or sets) the version "code" of the "ios" update row.
    void setUpdateCode(std::string code);
    /// Switches the splash picture ("splash_v2.png").
    void setSplashPicture(std::string name);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The demo folder of the source tree (resources/demo).
std::string defaultDemoDir();

}  // namespace tovera::service
