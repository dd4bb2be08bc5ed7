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

/// Whether values under `key` are secrets the log never shows: the access
/// token and every password field the client sends or receives ("password",
/// the password change's "newprd" and "oldprd").
bool isSecretKey(std::string_view key);

/// The line with the values of the secret keys replaced by "***", in the
/// forms key=value, "key":"value" and key = value;. A backstop for lines
/// written from free text: lines that describe parameters or replies mask
/// the secret values by key before they are written (see isSecretKey), which
/// also covers values holding a space, a comma or a quote.
std::string redactCredentials(std::string_view line);

}  // namespace tovera::platform
