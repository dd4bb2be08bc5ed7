#include "app/CommandLine.h"

#include <charconv>
#include <string_view>

namespace tovera::app {

namespace {

// The options that take a value.
constexpr std::string_view kValueOptions[] = {"--service",  "--home",        "--scale",
                                              "--location", "--vnc-address", "--tour"};

bool takesValue(std::string_view name) {
    for (std::string_view option : kValueOptions)
        if (option == name) return true;
    return false;
}

void apply(CommandLine& line, std::string_view name, const std::string& value) {
    if (name == "--service") {
        if (value.empty()) line.error = "--service needs a URL";
        line.service = value;
    } else if (name == "--home") {
        if (value.empty()) line.error = "--home needs a directory";
        line.home = value;
    } else if (name == "--scale") {
        if (auto scale = CommandLine::parseScale(value))
            line.scale = *scale;
        else
            line.error = "--scale takes a number from 0.5 to 8, not \"" + value + "\"";
    } else if (name == "--location") {
        line.location = platform::Location::parseCoordinate(value);
        if (!line.location)
            line.error = "--location takes LAT,LON in degrees, not \"" + value + "\"";
    } else if (name == "--vnc-address") {
        if (value.empty()) line.error = "--vnc-address needs an IP address";
        line.vncAddress = value;
    } else if (name == "--tour") {
        if (value.empty()) line.error = "--tour needs a directory";
        line.tour = value;
    }
}

}  // namespace

std::optional<double> CommandLine::parseScale(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !(value >= 0.5 && value <= 8))
        return std::nullopt;
    return value;
}

double CommandLine::startScale(const std::optional<std::string>& kept) const {
    if (scale) return *scale;
    if (kept)
        if (auto keptScale = parseScale(*kept)) return *keptScale;
    return 2;
}

CommandLine CommandLine::parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.qtArguments.push_back(arguments.empty() ? "tovera" : arguments.front());
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.help = true;
            continue;
        }
        if (argument == "--touch-keyboard") {
            line.touchKeyboard = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (!takesValue(name)) {
            line.qtArguments.push_back(argument);
            continue;
        }
        if (equals != std::string::npos) {
            apply(line, name, argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            apply(line, name, arguments[++i]);
        } else {
            line.error = name + " needs a value";
        }
        if (!line.error.empty()) break;
    }
    return line;
}

CommandLine CommandLine::parse(int argc, char** argv) {
    return parse(std::vector<std::string>(argv, argv + argc));
}

std::string CommandLine::usage() {
    return R"(Usage: tovera [options] [Qt options]

  --service URL      the portal service (default: $TOVERA_SERVICE, else the
                     demo service started inside the app on 127.0.0.1, with
                     its data in <home>/demo-service)
  --home DIR         the application home (default: $XDG_DATA_HOME/tovera,
                     else ~/.local/share/tovera)
  --scale N          device pixels per point, 0.5 to 8 (default: the scale
                     the window had when it last closed, else 2)
  --location LAT,LON the position the location service reports
  --touch-keyboard   draw the on-screen keyboard stand-in (for touch screens;
                     by default typing comes from the hardware keyboard)
  --vnc-address ADDR where the VNC platform listens (default 127.0.0.1)
  --tour DIR         start offscreen on a fresh temporary home, render every
                     screen to DIR/NN-name.png, and quit
  --help             this text

Qt's own options pass through, e.g. "-platform offscreen" or "-platform vnc"
(then connect a VNC viewer to port 5900 of the VNC address). Without a
display ($DISPLAY and $WAYLAND_DISPLAY unset) the app starts on VNC.
)";
}

}  // namespace tovera::app
