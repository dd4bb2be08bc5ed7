// The application home, kept like a phone sandbox: `<home>/Documents` (the
// database, the picture cache, the splash picture) and
// `<home>/Library/Preferences` (the preferences store). Nothing is written
// outside it. Also locates the read-only resource directory shipped with the
// program.
#pragma once

#include <string>
#include <string_view>

namespace tovera::platform {

/// Sets the home (the app passes its `--home` argument); a relative path is
/// made absolute at once. An empty path restores the default.
void setHomeDirectory(std::string_view dir);

/// The home: the one set, else `$XDG_DATA_HOME/tovera`, else
/// `~/.local/share/tovera`. Not created by this call.
std::string homeDirectory();

/// `<home>/Documents`, created (owner-only) when missing.
std::string documentsDirectory();

/// `<home>/Library/Preferences`, created (owner-only) when missing.
std::string preferencesDirectory();

/// Creates `dir` and its missing parents with owner-only permissions.
/// Returns whether the directory exists afterwards.
bool makeDirectories(const std::string& dir);

/// The directory of the shipped resources (config.plist, skins, ...): the one
/// set, else `<exe dir>/../share/tovera/resources`, else `<exe dir>/resources`,
/// else the source tree's resources of a development build.
std::string resourceDirectory();

/// Overrides the resource directory; an empty path restores the lookup.
void setResourceDirectory(std::string_view dir);

/// Whether a name that came from outside (the network, a preference) may be
/// used as a file name inside a directory of the home: not empty, at most 255
/// bytes, no "/" and no NUL, and not "." or "..".
bool isSafeFileName(std::string_view name);

}  // namespace tovera::platform
