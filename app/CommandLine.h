// The command line of the tovera program. Options of its own are taken out;
// everything else (Qt's "-platform vnc", "-style", ...) is kept, in order,
// for QApplication.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Location.h"

namespace tovera::app {

struct CommandLine {
    /// --service URL: the portal service; otherwise TOVERA_SERVICE, otherwise
    /// the embedded demo service.
    std::optional<std::string> service;
    /// --home DIR: the application home.
    std::optional<std::string> home;
    /// --scale N: device pixels per point (0.5 to 8); otherwise the scale
    /// kept from the last run, otherwise 2.
    std::optional<double> scale;
    /// --location LAT,LON: the position the location stand-in reports.
    std::optional<platform::Coordinate> location;
    /// --vnc-address ADDR: where the VNC platform listens (default loopback).
    std::string vncAddress = "127.0.0.1";
    /// --touch-keyboard: draw the on-screen keyboard stand-in (touch screens).
    bool touchKeyboard = false;
    /// --tour DIR: render every screen to a PNG in DIR and quit.
    std::optional<std::string> tour;
    bool help = false;
    /// Why the command line was not understood (empty when it was).
    std::string error;
    /// The program name followed by every argument that is not ours.
    std::vector<std::string> qtArguments;

    /// Reads "--name value" and "--name=value" forms; "-h" is --help.
    static CommandLine parse(const std::vector<std::string>& arguments);
    static CommandLine parse(int argc, char** argv);

    /// A scale written as text, when it is a number from 0.5 to 8.
    static std::optional<double> parseScale(std::string_view text);
    /// The scale to start with: --scale, else `kept` (the preference) when it
    /// is a valid scale, else 2.
    double startScale(const std::optional<std::string>& kept) const;

    /// The text --help prints.
    static std::string usage();
};

}  // namespace tovera::app
