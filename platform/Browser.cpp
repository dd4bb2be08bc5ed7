#include "platform/Browser.h"

#include "platform/Text.h"

namespace tovera::platform {

Browser& Browser::shared() {
    static Browser browser;
    return browser;
}

bool Browser::isWebAddress(std::string_view address) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (address.size() > scheme.size() && startsWithIgnoringCase(address, scheme)) return true;
    return false;
}

bool Browser::openUrl(std::string_view address) {
    return hand(address, isWebAddress(address), "browse");
}

}  // namespace tovera::platform
