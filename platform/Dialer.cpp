#include "platform/Dialer.h"

#include "platform/Text.h"

namespace tovera::platform {

Dialer& Dialer::shared() {
    static Dialer dialer;
    return dialer;
}

std::optional<std::string> Dialer::numberOf(std::string_view address) {
    constexpr std::string_view kScheme = "tel:";
    if (address.size() <= kScheme.size() || !startsWithIgnoringCase(address, kScheme)) return {};
    std::string_view number = address.substr(kScheme.size());
    bool hasDigit = false;
    for (char c : number) {
        if (c >= '0' && c <= '9')
            hasDigit = true;
        else if (std::string_view("+*#,;-()").find(c) == std::string_view::npos)
            return {};
    }
    if (!hasDigit || number.size() > 64) return {};
    return std::string(number);
}

bool Dialer::openUrl(std::string_view address) {
    return hand(address, numberOf(address).has_value(), "dial");
}

}  // namespace tovera::platform
