// A test's world for the start-up tests: a fresh application home with the
// demo service started in it (data in <home>/demo-service, as the app does),
// and the deployment settings pointing at that service.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <string>

#include "core/ServiceSettings.h"
#include "service/DemoService.h"
#include "tests/support/TempHome.h"

namespace tovera::testing {

class ServiceHome : public TempHome {
public:
    ServiceHome() {
        service::ServiceOptions options;
        options.dataDir = (path() / "demo-service").string();
        options.demoDir = service::defaultDemoDir();
        options.threads = 2;
        service_ = std::make_unique<service::DemoService>(options);
        std::string error;
        EXPECT_TRUE(service_->start(&error)) << error;
        serviceSettings() = ServiceSettings{};
        serviceSettings().serviceHost = service_->baseUrl();
    }
    ~ServiceHome() {
        service_->stop();
        serviceSettings() = ServiceSettings{};
    }

    service::DemoService& service() { return *service_; }

    /// `<home>/Documents/<name>`.
    std::filesystem::path document(const std::string& name) const {
        return path() / "Documents" / name;
    }

private:
    std::unique_ptr<service::DemoService> service_;
};

/// Runs `work` on a thread of its own, as the app runs the splash refresh
/// and the pending crash report: the thread's HTTP connections close when it
/// ends, so stopping the service need not wait for them to time out.
template <typename Work>
auto onOwnThread(Work work) {
    return std::async(std::launch::async, std::move(work)).get();
}

/// The whole content of a file ("" when it cannot be read).
inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace tovera::testing
