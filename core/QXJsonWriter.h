// The JSON writer: turns a value tree into UTF-8 JSON text, compact or
// human-readable, with keys in dictionary order or sorted.
#pragma once

#include <optional>
#include <string>

#include "core/QXJsonBase.h"
#include "core/Value.h"

namespace tovera {

class QXJsonWriter : public QXJsonBase {
public:
    /// Writes an object or an array; anything else fails with code 4.
    std::optional<std::string> stringWithObject(const Value& value);
    /// Writes any value.
    std::optional<std::string> stringWithFragment(const Value& value);

    void setHumanReadable(bool on) { humanReadable_ = on; }
    void setSortKeys(bool on) { sortKeys_ = on; }
    bool humanReadable() const { return humanReadable_; }
    bool sortKeys() const { return sortKeys_; }

private:
    bool humanReadable_ = false;
    bool sortKeys_ = false;
};

}  // namespace tovera
