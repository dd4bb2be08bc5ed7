// Telephone dialling through "tel:" addresses. Every request is recorded (so
// tests and a desktop user can see what would have been dialled); a request
// with a well-formed number is also handed to the handler the toolkit
// installs (the desktop's own "tel:" handler, when one exists).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ExternalOpener.h"

namespace tovera::platform {

class Dialer : public ExternalOpener {
public:
    static Dialer& shared();

    /// The number of a "tel:" address when it is one a handler may receive:
    /// digits with optional "+", "*", "#", ",", ";", "-", "(", ")" and no
    /// spaces; nothing otherwise (another scheme, an empty or odd number).
    static std::optional<std::string> numberOf(std::string_view address);

    /// Records the request and hands a well-formed address to the handler.
    /// Returns true when a handler took it.
    bool openUrl(std::string_view address);
};

}  // namespace tovera::platform
