#include "app/Startup.h"

#include <filesystem>

#include "core/ServiceSettings.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "service/DemoService.h"

namespace tovera::app {

Startup::Startup() = default;

Startup::~Startup() {
    if (service_) service_->stop();
}

bool Startup::begin(const CommandLine& line, std::string* error) {
    if (line.home) platform::setHomeDirectory(*line.home);
    const std::string home = platform::homeDirectory();
    if (!platform::makeDirectories(home)) {
        if (error) *error = "cannot create the home " + home;
        return false;
    }
    platform::setLogFile((std::filesystem::path(home) / "tovera.log").string());
    if (line.location) platform::Location::shared().setPosition(*line.location);

    serviceSettings() = ServiceSettings{};
    loadServiceSettingsFromEnvironment();
    if (line.service) serviceSettings().serviceHost = *line.service;
    if (!serviceSettings().serviceHost.empty()) {
        platform::logLine("service:" + serviceSettings().serviceHost);
        return true;
    }
    return startEmbeddedService(error);
}

bool Startup::startEmbeddedService(std::string* error) {
    service::ServiceOptions options;
    options.host = "127.0.0.1";
    options.port = 0;
    options.dataDir =
        (std::filesystem::path(platform::homeDirectory()) / kDemoServiceFolder).string();
    const std::string shipped = platform::resourceDirectory() + "/demo";
    std::error_code ec;
    options.demoDir =
        std::filesystem::is_directory(shipped, ec) ? shipped : service::defaultDemoDir();
    // The store opens (and a first start seeds it) while the window is built;
    // the first requests wait for it in the listen queue.
    options.openInBackground = true;
    options.recordRequests = false;
    auto demo = std::make_unique<service::DemoService>(options);
    std::string why;
    if (!demo->start(&why)) {
        if (error) *error = "the demo service did not start: " + why;
        return false;
    }
    serviceSettings().serviceHost = demo->baseUrl();
    platform::logLine("demo service:" + demo->baseUrl() + " data:" + options.dataDir);
    service_ = std::move(demo);
    return true;
}

}  // namespace tovera::app
