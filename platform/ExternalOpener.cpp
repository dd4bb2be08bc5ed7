#include "platform/ExternalOpener.h"

#include "platform/Log.h"

namespace tovera::platform {

bool ExternalOpener::hand(std::string_view address, bool accepted, std::string_view verb) {
    requests_.emplace_back(address);
    logLine(std::string(verb) + ": " + std::string(address));
    if (!accepted || !handler_) return false;
    return handler_(std::string(address));
}

}  // namespace tovera::platform
