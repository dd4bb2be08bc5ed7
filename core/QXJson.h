// Facade over one JSON reader and one writer. Each call with an `error`
// argument hands back the last record of the call's error trace.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Error.h"
#include "core/QXJsonParser.h"
#include "core/QXJsonWriter.h"

namespace tovera {

class QXJson {
public:
    std::optional<Value> objectWithString(std::optional<std::string_view> gb18030);
    std::optional<Value> objectWithString(std::optional<std::string_view> gb18030, Error* error);
    std::optional<Value> fragmentWithString(std::optional<std::string_view> gb18030);
    std::optional<Value> fragmentWithString(std::optional<std::string_view> gb18030, Error* error);

    std::optional<std::string> stringWithObject(const Value& value);
    std::optional<std::string> stringWithObject(const Value& value, Error* error);
    std::optional<std::string> stringWithFragment(const Value& value);

    void setHumanReadable(bool on) { writer_.setHumanReadable(on); }
    void setSortKeys(bool on) { writer_.setSortKeys(on); }
    /// Sets the depth limit of both the reader and the writer.
    void setMaxDepth(unsigned depth);

    const QXJsonParser& parser() const { return parser_; }
    const QXJsonWriter& writer() const { return writer_; }

private:
    QXJsonParser parser_;
    QXJsonWriter writer_;
};

}  // namespace tovera
