// What the program sets up before its first screen, apart from the toolkit:
// the home with its log file, the deployment settings, the location
// stand-in's position, and the embedded demo service when no service was
// given (on 127.0.0.1, an ephemeral port, data in <home>/demo-service).
#pragma once

#include <memory>
#include <string>

#include "app/CommandLine.h"

namespace tovera::service {
class DemoService;
}

namespace tovera::app {

class Startup {
public:
    /// The folder of the embedded service's state inside the home.
    static constexpr const char* kDemoServiceFolder = "demo-service";

    Startup();
    ~Startup();  // stops the embedded service
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    /// Applies the command line. False, with `error` set, when the home
    /// cannot be made or the embedded service does not start.
    bool begin(const CommandLine& line, std::string* error);

    /// The embedded service, when one was started.
    service::DemoService* embeddedService() const { return service_.get(); }

private:
    bool startEmbeddedService(std::string* error);

    std::unique_ptr<service::DemoService> service_;
};

}  // namespace tovera::app
