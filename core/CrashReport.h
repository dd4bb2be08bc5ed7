// The crash report: seven text fields posted as one URL-encoded form, and
// synchronously, to "/ics/report.php" on the crash-report host. The facts of
// the device and the application are gathered at launch, so the failing
// thread only adds the failure and sends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/QXFormDataRequest.h"

namespace tovera {

/// What a report carries besides the failure itself.
struct CrashReportFacts {
    /// The device's own name, a space, and the hardware model identifier.
    std::string model;
    /// The operating system's name followed directly by its version.
    std::string rom;
    /// The application version of the configuration resource.
    std::string version;
    /// The upper-case MD5 of the deployment's report key text.
    std::string authkey;

    /// The facts of this device and deployment, with `version` as given.
    static CrashReportFacts current(std::string version);
};

/// The path of the report endpoint on the crash-report host.
inline constexpr std::string_view kCrashReportPath = "/ics/report.php";

/// The "report" text: name, reason and call stack joined as "%@,%@,%@".
std::string crashReportText(std::string_view name, std::string_view reason,
                            std::string_view callStack);

/// The text form of a list of frames: "(", one indented frame a line with
/// commas between them, ")"; "()" for no frames.
std::string callStackText(const std::vector<std::string>& frames);

/// The fields in posting order: "platform", "model", "rom", "app",
/// "version", "report", "authkey".
std::vector<QXFormDataRequest::Field> crashReportFields(const CrashReportFacts& facts,
                                                        std::string_view report);

/// Logs "model" and "report", then posts the fields synchronously to the
/// report endpoint and waits for the answer, which is ignored. Returns
/// whether the post reached the endpoint (for logs and tests only: a failed
/// post is never retried).
bool postCrashReport(const CrashReportFacts& facts, std::string_view report);

}  // namespace tovera
