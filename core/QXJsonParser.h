// The JSON reader. It scans the GB18030 bytes of a reply directly, decodes
// string runs to UTF-8 and keeps numbers as their literal digits. It tolerates
// what the service's replies rely on: raw line breaks and tabs in strings, an
// empty value before a comma read as null, optional commas between members
// and elements, and a trailing comma in arrays.
#pragma once

#include <optional>
#include <string_view>

#include "core/QXJsonBase.h"
#include "core/Value.h"

namespace tovera {

class QXJsonParser : public QXJsonBase {
public:
    /// Parses `gb18030` (nothing stands for a nil input); the top-level value
    /// must be an object or an array. Returns nothing and fills the error
    /// trace on failure. Bytes that are not valid GB18030 fail as a nil input;
    /// a NUL byte ends the text.
    std::optional<Value> objectWithString(std::optional<std::string_view> gb18030);
    /// As objectWithString, allowing any value at the top level.
    std::optional<Value> fragmentWithString(std::optional<std::string_view> gb18030);

private:
    friend class QXJsonScanner;

    std::optional<Value> parse(std::optional<std::string_view> gb18030, bool containerOnly);
    void logFailure() const;
};

}  // namespace tovera
