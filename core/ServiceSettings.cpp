#include "core/ServiceSettings.h"

#include <cstdlib>

namespace tovera {

ServiceSettings& serviceSettings() {
    static ServiceSettings settings;
    return settings;
}

std::string normalisedHost(std::string host) {
    while (!host.empty() && host.back() == '/')
        host.pop_back();
    if (!host.empty() && host.find("://") == std::string::npos) host = "http://" + host;
    return host;
}

std::string ServiceSettings::toveraHttpRequestDomain() const {
    return normalisedHost(serviceHost) + "/api/phone/";
}

std::string ServiceSettings::geocodingBase() const {
    return normalisedHost(geocodingHost.empty() ? serviceHost : geocodingHost);
}

std::string ServiceSettings::crashReportBase() const {
    return normalisedHost(crashReportHost.empty() ? serviceHost : crashReportHost);
}

void loadServiceSettingsFromEnvironment() {
    auto& settings = serviceSettings();
    if (const char* v = std::getenv("TOVERA_SERVICE"); v && *v) settings.serviceHost = v;
    if (const char* v = std::getenv("TOVERA_GEO_HOST"); v && *v) settings.geocodingHost = v;
    if (const char* v = std::getenv("TOVERA_REPORT_HOST"); v && *v) settings.crashReportHost = v;
    if (const char* v = std::getenv("TOVERA_REPORT_KEY"); v && *v) settings.crashReportKey = v;
}

}  // namespace tovera
