// Where the window goes: the desktop's display when there is one; on a
// machine without a display, the VNC platform instead of Qt's abort. The
// VNC platform listens on the loopback address unless the user names
// another, since it has no password and anybody who reaches it can watch
// and drive a signed-in app.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tovera::app {

struct DisplayChoice {
    /// The platform the app must ask Qt for ("vnc"), when it chooses one.
    std::optional<std::string> platform;
    /// Whether the VNC platform is used (chosen here or by the user).
    bool vnc = false;
    /// The line telling the user where to connect, or why the app stops.
    std::string message;
};

/// Chooses for `qtArguments` (the program's Qt options) and the environment
/// (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY); a VNC platform is announced
/// on `vncAddress`.
DisplayChoice chooseDisplay(const std::vector<std::string>& qtArguments,
                            const std::string& vncAddress);

/// Binds the VNC platform's listening socket to `address` (an IPv4 or IPv6
/// literal) instead of every interface ("0.0.0.0" or "::": every interface
/// again). False when it is not an address.
bool restrictVncTo(const std::string& address);

}  // namespace tovera::app
