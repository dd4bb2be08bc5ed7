// Deployment settings of the client: where the portal's service, the
// geocoding endpoint and the crash-report endpoint live. The app fills them
// from its command line or the environment; tests set them directly.
#pragma once

#include <string>

namespace tovera {

struct ServiceSettings {
    /// Scheme, host and port of the portal service, e.g. "http://127.0.0.1:8080".
    /// Empty: no service given (the app then starts its embedded one).
    std::string serviceHost;
    /// Host of the geocoding endpoint "/maps/geo"; empty means the service host.
    std::string geocodingHost;
    /// Host of the crash-report endpoint "/ics/report.php"; empty means the service host.
    std::string crashReportHost;
    /// The fixed text whose upper-case MD5 is a crash report's "authkey"; the
    /// report endpoint knows the same text.
    std::string crashReportKey = "tovera-crash-report";

    /// The service base: the service host + "/api/phone/".
    std::string toveraHttpRequestDomain() const;
    std::string geocodingBase() const;
    std::string crashReportBase() const;
};

/// The settings of this process.
ServiceSettings& serviceSettings();

/// Reads `TOVERA_SERVICE` (and `TOVERA_GEO_HOST`, `TOVERA_REPORT_HOST`,
/// `TOVERA_REPORT_KEY`) from the environment into the settings; hosts without a scheme get
/// "http://".
void loadServiceSettingsFromEnvironment();

/// `host` with "http://" put in front when it names no scheme, and without a
/// trailing "/".
std::string normalisedHost(std::string host);

}  // namespace tovera
