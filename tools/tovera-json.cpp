// tovera-json: reads a service reply the way the transport does and prints
// its value tree as human-readable JSON with sorted keys.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "core/Gb18030.h"
#include "core/QXJson.h"
#include "platform/Log.h"

namespace {

constexpr std::string_view kUsage =
    "usage: tovera-json [--utf8] [--fragment] [FILE]\n"
    "Reads a service reply from FILE (or standard input when FILE is missing or \"-\"),\n"
    "parses it as the client's transport does and prints the value tree as UTF-8 JSON,\n"
    "human-readable with sorted keys. On failure prints \"error <code>: <text>\" and\n"
    "exits with status 1.\n"
    "\n"
    "  --utf8      the input is UTF-8 (it is converted to GB18030 first);\n"
    "              by default it is GB18030, as the service sends it\n"
    "  --fragment  allow any value at the top level, not only an object or array\n"
    "  --help      show this text\n";

std::optional<std::string> readAll(const std::string& path) {
    if (path == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>());
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return std::move(bytes).str();
}

}  // namespace

int main(int argc, char** argv) {
    bool utf8 = false;
    bool fragment = false;
    std::optional<std::string> path;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--utf8") {
            utf8 = true;
        } else if (arg == "--fragment") {
            fragment = true;
        } else if ((arg.size() > 1 && arg[0] == '-') || path) {
            std::cerr << "tovera-json: unexpected argument '" << arg << "'\n" << kUsage;
            return 2;
        } else {
            path = std::string(arg);
        }
    }

    std::optional<std::string> input = readAll(path.value_or("-"));
    if (!input) {
        std::cerr << "tovera-json: cannot read " << *path << "\n";
        return 2;
    }
    // The reader's own log line would repeat the error printed below.
    tovera::platform::setLogSink([](std::string_view) {});

    std::optional<std::string> gb18030 = std::move(input);
    if (utf8) {
        gb18030 = tovera::gb18030::fromUtf8(*gb18030);
        if (!gb18030) std::cerr << "tovera-json: the input is not valid UTF-8\n";
    }
    tovera::QXJson json;
    json.setHumanReadable(true);
    json.setSortKeys(true);
    tovera::Error error;
    std::optional<tovera::Value> value = fragment ? json.fragmentWithString(gb18030, &error)
                                                  : json.objectWithString(gb18030, &error);
    std::optional<std::string> text;
    if (value) text = json.stringWithFragment(*value);
    if (!text) {
        if (value) error = json.writer().errorTrace().back();
        std::cerr << "error " << error.code << ": " << error.description << "\n";
        return 1;
    }
    std::cout << *text << "\n";
    return 0;
}
