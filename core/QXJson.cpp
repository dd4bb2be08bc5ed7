#include "core/QXJson.h"

namespace tovera {

namespace {

// Hands back the last record of a failed call's trace.
template <typename Result>
Result withLastError(Result result, const QXJsonBase& codec, Error* error) {
    if (!result && error && !codec.errorTrace().empty()) *error = codec.errorTrace().back();
    return result;
}

}  // namespace

std::optional<Value> QXJson::objectWithString(std::optional<std::string_view> gb18030) {
    return parser_.objectWithString(gb18030);
}

std::optional<Value> QXJson::objectWithString(std::optional<std::string_view> gb18030,
                                              Error* error) {
    return withLastError(parser_.objectWithString(gb18030), parser_, error);
}

std::optional<Value> QXJson::fragmentWithString(std::optional<std::string_view> gb18030) {
    return parser_.fragmentWithString(gb18030);
}

std::optional<Value> QXJson::fragmentWithString(std::optional<std::string_view> gb18030,
                                                Error* error) {
    return withLastError(parser_.fragmentWithString(gb18030), parser_, error);
}

std::optional<std::string> QXJson::stringWithObject(const Value& value) {
    return writer_.stringWithObject(value);
}

std::optional<std::string> QXJson::stringWithObject(const Value& value, Error* error) {
    return withLastError(writer_.stringWithObject(value), writer_, error);
}

std::optional<std::string> QXJson::stringWithFragment(const Value& value) {
    return writer_.stringWithFragment(value);
}

void QXJson::setMaxDepth(unsigned depth) {
    parser_.setMaxDepth(depth);
    writer_.setMaxDepth(depth);
}

}  // namespace tovera
