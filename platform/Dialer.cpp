#include "platform/Dialer.h"

#include "platform/Log.h"

#include <cctype>

namespace tovera::platform {

Dialer& Dialer::shared() {
    static Dialer dialer;
    return dialer;
}

std::optional<std::string> Dialer::numberOf(std::string_view address) {
    constexpr std::string_view kScheme = "tel:";
    if (address.size() <= kScheme.size()) return {};
    for (std::size_t i = 0; i < kScheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(address[i])) != kScheme[i]) return {};
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
    requests_.emplace_back(address);
    logLine("dial: " + std::string(address));
    if (!numberOf(address) || !handler_) return false;
    return handler_(std::string(address));
}

}  // namespace tovera::platform
