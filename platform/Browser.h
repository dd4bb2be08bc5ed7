// Web addresses handed to the desktop's browser (a store page, say). Every
// request is recorded, so tests and a desktop user can see what was opened;
// an "http:" or "https:" address is also handed to the handler the toolkit
// installs. Any other scheme is refused, so a service reply cannot start a
// local program or open a local file.
#pragma once

#include <string_view>

#include "platform/ExternalOpener.h"

namespace tovera::platform {

class Browser : public ExternalOpener {
public:
    static Browser& shared();

    /// Whether `address` is a web address a handler may receive.
    static bool isWebAddress(std::string_view address);

    /// Records the request and hands a web address to the handler. Returns
    /// true when a handler opened it.
    bool openUrl(std::string_view address);
};

}  // namespace tovera::platform
