// The program's plain line log: stderr and, once a home is known, a file in
// it. No levels; never shown to the user. Credentials are redacted from every
// line before it is written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tovera::platform {

/// Writes one line (credentials redacted).
void logLine(std::string_view line);

/// Also appends every line to `path` (empty: no file).
void setLogFile(const std::string& path);

/// Replaces the stderr output with `sink` (tests capture lines this way);
/// an empty function restores stderr.
void setLogSink(std::function<void(std::string_view)> sink);

/// The line with the values of "access_token" and "password" replaced by
/// "***", in the forms key=value, "key":"value" and key = value;.
std::string redactCredentials(std::string_view line);

}  // namespace tovera::platform
