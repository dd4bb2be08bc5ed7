#include "core/QXJsonWriter.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tovera {

std::optional<std::string> QXJsonWriter::stringWithObject(const Value& value) {
    if (!value.isDict() && !value.isArray()) {
        clearErrorTrace();
        addErrorWithCode(kQXJsonErrorFragment, "Not valid type for JSON");
        return std::nullopt;
    }
    return write(value);
}

std::optional<std::string> QXJsonWriter::stringWithFragment(const Value& value) {
    return write(value);
}

std::optional<std::string> QXJsonWriter::write(const Value& value) {
    clearErrorTrace();
    depth_ = 0;
    std::string json;
    json.reserve(128);
    if (!appendValue(value, json)) return std::nullopt;
    return json;
}

bool QXJsonWriter::appendValue(const Value& value, std::string& json) {
    switch (value.type()) {
        case Value::Type::kDict:
            return appendDictionary(*value.dict(), json);
        case Value::Type::kArray:
            return appendArray(*value.array(), json);
        case Value::Type::kString:
            appendString(*value.string(), json);
            return true;
        case Value::Type::kNumber:
            json += value.number()->literal;
            return true;
        case Value::Type::kBool:
            json += value.boolean() ? "true" : "false";
            return true;
        case Value::Type::kNull:
            json += "null";
            return true;
        case Value::Type::kData:
            break;
    }
    addErrorWithCode(kQXJsonErrorUnsupported, "JSON serialisation not supported for Data");
    return false;
}

bool QXJsonWriter::appendArray(const Array& array, std::string& json) {
    if (!enterLevel()) return false;
    json += '[';
    bool comma = false;
    for (const Value& element : array) {
        if (comma) json += ',';
        comma = true;
        if (humanReadable_) appendIndent(json);
        if (!appendValue(element, json)) return false;
    }
    leaveLevel();
    if (humanReadable_ && !array.empty()) appendIndent(json);
    json += ']';
    return true;
}

bool QXJsonWriter::appendDictionary(const Dict& dict, std::string& json) {
    if (!enterLevel()) return false;
    json += '{';
    std::vector<const Dict::Entry*> entries;
    entries.reserve(dict.size());
    for (const Dict::Entry& entry : dict)
        entries.push_back(&entry);
    if (sortKeys_) {
        std::sort(entries.begin(), entries.end(),
                  [](const Dict::Entry* a, const Dict::Entry* b) { return a->first < b->first; });
    }
    const char* colon = humanReadable_ ? " : " : ":";
    bool comma = false;
    for (const Dict::Entry* entry : entries) {
        if (comma) json += ',';
        comma = true;
        if (humanReadable_) appendIndent(json);
        appendString(entry->first, json);
        json += colon;
        if (!appendValue(entry->second, json)) {
            addErrorWithCode(kQXJsonErrorUnsupported,
                             "Unsupported value for key " + entry->first + " in object");
            return false;
        }
    }
    leaveLevel();
    if (humanReadable_ && !dict.empty()) appendIndent(json);
    json += '}';
    return true;
}

// Quotes `text`, escaping control characters, the quote and the backslash;
// everything else, "/" and non-ASCII included, is written as it is.
void QXJsonWriter::appendString(std::string_view text, std::string& json) {
    json += '"';
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        json.append(text.substr(run, i - run));
        run = i + 1;
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\t':
                json += "\\t";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\b':
                json += "\\b";
                break;
            case '\f':
                json += "\\f";
                break;
            default: {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                json += escaped;
            }
        }
    }
    json.append(text.substr(run));
    json += '"';
}

void QXJsonWriter::appendIndent(std::string& json) const {
    json += '\n';
    json.append(2 * static_cast<std::size_t>(depth_), ' ');
}

}  // namespace tovera
