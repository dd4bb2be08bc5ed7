#include "core/QXJsonParser.h"

#include "core/Gb18030.h"
#include "core/QXJsonScanner.h"
#include "platform/Log.h"

namespace tovera {

std::optional<Value> QXJsonParser::objectWithString(std::optional<std::string_view> gb18030) {
    return parse(gb18030, true);
}

std::optional<Value> QXJsonParser::fragmentWithString(std::optional<std::string_view> gb18030) {
    return parse(gb18030, false);
}

std::optional<Value> QXJsonParser::parse(std::optional<std::string_view> gb18030,
                                         bool containerOnly) {
    clearErrorTrace();
    depth_ = 0;
    std::optional<Value> value;
    bool unreadable = !gb18030;
    if (gb18030) {
        // The text ends at its first NUL byte, as a C string would.
        const std::string_view bytes = *gb18030;
        const std::size_t nul = bytes.find('\0');
        QXJsonScanner scanner(*this, bytes.substr(0, nul));
        value = scanner.scan();
        // A reply that is not GB18030 cannot be decoded at all, whatever its
        // syntax: only the failure path and the unread tail need checking,
        // since every string the scanner read was decoded already.
        if (scanner.invalidBytes())
            unreadable = true;
        else if (!value)
            unreadable = !gb18030::toUtf8(bytes);
        else if (nul != std::string_view::npos)
            unreadable = !gb18030::toUtf8(bytes.substr(nul));
    }
    if (unreadable) {
        value.reset();
        clearErrorTrace();
        addErrorWithCode(kQXJsonErrorInput, "Input was 'nil'");
    } else if (value && containerOnly && !value->isDict() && !value->isArray()) {
        value.reset();
        addErrorWithCode(kQXJsonErrorFragment, "Valid fragment, but not JSON");
    }
    if (!value) logFailure();
    return value;
}

void QXJsonParser::logFailure() const {
    std::string line = "JSON read failed:";
    for (const Error& error : errorTrace())
        line += " [" + std::to_string(error.code) + "] " + error.description;
    platform::logLine(line);
}

}  // namespace tovera
