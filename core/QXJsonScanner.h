// The byte scanner behind QXJsonParser: reads one value from GB18030 bytes
// into a value tree. Nesting is kept on an explicit stack, so hostile depth
// costs heap, never the call stack; errors go to the parser's trace.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

namespace tovera {

class QXJsonParser;

class QXJsonScanner {
public:
    /// `bytes` must not contain NUL bytes; its end is the end of the input.
    QXJsonScanner(QXJsonParser& parser, std::string_view bytes);

    /// Reads the top-level value and checks that only whitespace follows.
    /// Nothing on failure, with the reason in the parser's trace.
    std::optional<Value> scan();

    /// True when scanning stopped at bytes that are not valid GB18030.
    bool invalidBytes() const { return invalidBytes_; }

private:
    // An open object or array with what it has read so far; the last member
    // or element is the slot being read. Its room is reserved from the size
    // of the last container closed at the same depth, since the items of a
    // list tend to share their shape.
    struct Frame {
        bool isObject = false;
        bool afterValue = false;  // a member or element was just read
        std::vector<Dict::Entry> members;
        Array elements;
    };
    enum class ValueScan { kFailed, kScalar, kOpened };
    enum class MemberStep { kFailed, kValue, kClosed };

    ValueScan scanValue(Value& out);
    MemberStep step(Frame& frame);
    std::optional<Value> unwind(bool innermostFailedItself);
    void open(bool isObject);
    Value close();
    Value& slot(Value& topLevel);

    bool scanRestOfString(std::string& out);
    char* scanEscape(char* w);
    bool scanUnicodeChar(char32_t& codePoint);
    bool scanHexQuad(unsigned& quad);
    bool scanNumber(Value& out);
    bool scanRestOfLiteral(std::string_view rest, const char* error);
    bool scanRestOfNull();

    void skipPlain();
    char peek() const { return c_ < end_ ? *c_ : '\0'; }
    void skipWhitespace();
    void addError(int code, std::string description);

    QXJsonParser& parser_;
    const char* c_;
    const char* end_;
    bool invalidBytes_ = false;
    std::vector<Frame> stack_;
    std::vector<std::size_t> sizeHints_;  // by depth
    std::size_t textCapacity_;
    std::unique_ptr<char[]> text_;  // decoded text of the string being read
};

}  // namespace tovera
