// Shared utilities of the screens: the configuration resource (option lists,
// captions, version) shipped as resources/config.plist.
#pragma once

#include <string_view>

#include "core/Value.h"

namespace tovera {

class NSUtil {
public:
    /// The value stored under `key` in the configuration resource (arrays,
    /// dictionaries, texts, numbers), or null when the key is absent or the
    /// resource cannot be read (logged once per reading). The file is read on
    /// first use and again only when the resource directory changes.
    static Value config(std::string_view key);
};

}  // namespace tovera
