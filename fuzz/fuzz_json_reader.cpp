// Feeds arbitrary bytes to the JSON reader. Whatever it accepts must survive
// a round trip through the writer, and whatever it refuses must say why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Gb18030.h"
#include "core/QXJson.h"
#include "platform/Log.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        tovera::platform::setLogSink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    tovera::QXJson json;
    const auto fragment = json.fragmentWithString(bytes);
    if (!fragment) {
        const auto& trace = json.parser().errorTrace();
        check(!trace.empty() && trace.back().code >= 1 && trace.back().code <= 12);
    }
    const auto object = json.objectWithString(bytes);
    check(object.has_value() == (fragment && (fragment->isDict() || fragment->isArray())));

    if (fragment) {
        for (bool humanReadable : {false, true}) {
            json.setHumanReadable(humanReadable);
            const auto text = json.stringWithFragment(*fragment);
            check(text.has_value());
            const auto gb18030 = tovera::gb18030::fromUtf8(*text);
            check(gb18030.has_value());
            const auto back = json.fragmentWithString(*gb18030);
            check(back.has_value() && *back == *fragment);
        }
    }

    json.setMaxDepth(0);
    json.fragmentWithString(bytes);
    return 0;
}
