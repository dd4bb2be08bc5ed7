// The JSON writer: turns a value tree into UTF-8 JSON text, compact or
// human-readable, with keys in dictionary order or sorted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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
    std::optional<std::string> write(const Value& value);
    bool appendValue(const Value& value, std::string& json);
    bool appendArray(const Array& array, std::string& json);
    bool appendDictionary(const Dict& dict, std::string& json);
    static void appendString(std::string_view text, std::string& json);
    void appendIndent(std::string& json) const;

    bool humanReadable_ = false;
    bool sortKeys_ = false;
};

}  // namespace tovera
