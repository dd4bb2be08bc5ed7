// Facts about the device and the application, as a phone platform reports
// them: names and versions for the User-Agent and the crash report.
#pragma once

#include <string>

namespace tovera::platform {

struct DeviceInfo {
    std::string name;           // the device's own name (the host name here)
    std::string model;          // the hardware model identifier ("hw.machine")
    std::string systemName;     // e.g. "Linux"
    std::string systemVersion;  // e.g. "6.1.0"
    std::string locale;         // e.g. "zh_CN"
};

DeviceInfo deviceInfo();

struct AppInfo {
    std::string displayName = "Tovera";
    std::string shortVersion;  // e.g. "0.1.0"
    std::string buildVersion;  // e.g. "1"
};

AppInfo appInfo();

}  // namespace tovera::platform
