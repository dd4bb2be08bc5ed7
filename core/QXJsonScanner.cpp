#include "core/QXJsonScanner.h"

#include <array>
#include <cstdio>
#include <utility>

#include "core/Gb18030.h"
#include "core/QXJsonParser.h"

namespace tovera {

namespace {

// How a byte inside a string is handled. Trailing bytes of GB18030
// characters are 0x30-0x39, 0x40-0x7E or 0x80-0xFE, so a run of plain bytes
// never ends inside a character: the lead byte (0x81-0xFE) is caught as kWide
// first and the whole character is decoded at once, whatever its trailing
// byte looks like.
enum ByteClass : unsigned char { kPlain, kQuote, kBackslash, kControl, kLineBreak, kTab, kWide };

constexpr std::array<unsigned char, 256> kStringClass = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 0x20; ++b)
        table[b] = kControl;
    table['\n'] = kLineBreak;
    table['\r'] = kLineBreak;
    table['\t'] = kTab;
    table['"'] = kQuote;
    table['\\'] = kBackslash;
    for (int b = 0x80; b < 0x100; ++b)
        table[b] = kWide;
    return table;
}();

ByteClass classOf(char c) {
    return static_cast<ByteClass>(kStringClass[static_cast<unsigned char>(c)]);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string withHexByte(const char* format, char c) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

QXJsonScanner::QXJsonScanner(QXJsonParser& parser, std::string_view bytes)
    : parser_(parser), c_(bytes.data()), end_(bytes.data() + bytes.size()) {}

void QXJsonScanner::addError(int code, std::string description) {
    parser_.addErrorWithCode(code, std::move(description));
}

void QXJsonScanner::skipWhitespace() {
    while (c_ < end_ && (*c_ == ' ' || (*c_ >= '\t' && *c_ <= '\r')))
        ++c_;
}

std::optional<Value> QXJsonScanner::scan() {
    Value value;
    bool wantValue = true;
    for (;;) {
        if (wantValue) {
            ValueScan scanned = scanValue(value);
            if (scanned == ValueScan::kFailed) return unwind(false);
            if (scanned == ValueScan::kOpened) {
                wantValue = false;
                continue;
            }
        } else {
            Frame& frame = stack_.back();
            MemberStep step = frame.isObject ? stepObject(frame) : stepArray(frame);
            if (step == MemberStep::kFailed) return unwind(true);
            if (step == MemberStep::kValue) {
                wantValue = true;
                continue;
            }
            parser_.leaveLevel();
            value = frame.isObject ? Value(std::move(frame.dict)) : Value(std::move(frame.array));
            stack_.pop_back();
        }
        if (stack_.empty()) break;
        Frame& parent = stack_.back();
        if (parent.isObject)
            parent.dict.set(parent.key, std::move(value));
        else
            parent.array.push_back(std::move(value));
        parent.afterValue = true;
        wantValue = false;
    }
    skipWhitespace();
    if (c_ != end_) {
        addError(kQXJsonErrorGarbage, "Garbage after JSON");
        return std::nullopt;
    }
    return value;
}

// Every container that was being read when scanning failed adds its own
// record, innermost first, unless the failure was its own.
std::optional<Value> QXJsonScanner::unwind(bool innermostFailedItself) {
    std::size_t count = stack_.size();
    if (innermostFailedItself && count > 0) --count;
    for (std::size_t i = count; i-- > 0;) {
        const Frame& frame = stack_[i];
        if (frame.isObject)
            addError(kQXJsonErrorParse, "Object value expected for key: " + frame.key);
        else
            addError(kQXJsonErrorParse, "Expected value while parsing array");
    }
    return std::nullopt;
}

QXJsonScanner::ValueScan QXJsonScanner::scanValue(Value& out) {
    skipWhitespace();
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, "Unexpected end of string");
        return ValueScan::kFailed;
    }
    const char first = *c_++;
    bool ok = false;
    switch (first) {
        case '{':
        case '[':
            if (!parser_.enterLevel()) return ValueScan::kFailed;
            stack_.emplace_back().isObject = first == '{';
            return ValueScan::kOpened;
        case '"': {
            std::string text;
            ok = scanRestOfString(text);
            if (ok) out = Value(std::move(text));
            break;
        }
        case 't':
            ok = scanRestOfLiteral("rue", "Expected 'true'");
            if (ok) out = Value(true);
            break;
        case 'f':
            ok = scanRestOfLiteral("alse", "Expected 'false'");
            if (ok) out = Value(false);
            break;
        case 'n':
        case ',':
            ok = scanRestOfNull();
            if (ok) out = Value();
            break;
        case '-':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            --c_;
            ok = scanNumber(out);
            break;
        case '+':
            addError(kQXJsonErrorNumber, "Leading + disallowed in number");
            break;
        default:
            addError(kQXJsonErrorParse, "Unrecognised leading character");
            break;
    }
    return ok ? ValueScan::kScalar : ValueScan::kFailed;
}

QXJsonScanner::MemberStep QXJsonScanner::stepArray(Frame& frame) {
    if (frame.afterValue) {
        frame.afterValue = false;
        skipWhitespace();
        if (peek() == ',') {
            ++c_;
            skipWhitespace();
            // A trailing comma is tolerated: the service writes lists that way.
            if (peek() == ']') {
                ++c_;
                return MemberStep::kClosed;
            }
        }
    }
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, "End of input while parsing array");
        return MemberStep::kFailed;
    }
    skipWhitespace();
    if (peek() == ']') {
        ++c_;
        return MemberStep::kClosed;
    }
    return MemberStep::kValue;
}

QXJsonScanner::MemberStep QXJsonScanner::stepObject(Frame& frame) {
    if (frame.afterValue) {
        frame.afterValue = false;
        skipWhitespace();
        if (peek() == ',') {
            ++c_;
            skipWhitespace();
            if (peek() == '}') {
                addError(kQXJsonErrorTrailingComma, "Trailing comma disallowed in object");
                return MemberStep::kFailed;
            }
        }
    }
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, "End of input while parsing object");
        return MemberStep::kFailed;
    }
    skipWhitespace();
    if (peek() == '}') {
        ++c_;
        return MemberStep::kClosed;
    }
    if (peek() != '"' || (++c_, !scanRestOfString(frame.key))) {
        addError(kQXJsonErrorParse, "Object key string expected");
        return MemberStep::kFailed;
    }
    skipWhitespace();
    if (peek() != ':') {
        addError(kQXJsonErrorParse, "Expected ':' separating key and value");
        return MemberStep::kFailed;
    }
    ++c_;
    return MemberStep::kValue;
}

// Reads up to and past the closing quote. Plain runs are copied in one
// piece; a string that is one plain run is taken without the scratch buffer.
bool QXJsonScanner::scanRestOfString(std::string& out) {
    const char* run = c_;
    while (c_ < end_ && classOf(*c_) == kPlain)
        ++c_;
    if (c_ < end_ && *c_ == '"') {
        out.assign(run, c_);
        ++c_;
        return true;
    }
    scratch_.assign(run, c_);
    for (;;) {
        if (c_ == end_) {
            addError(kQXJsonErrorEndOfInput, "Unexpected EOF while parsing string");
            return false;
        }
        switch (classOf(*c_)) {
            case kPlain:
                break;
            case kQuote:
                ++c_;
                out = scratch_;
                return true;
            case kWide:
                do {
                    char32_t codePoint;
                    std::size_t length = gb18030::decodeChar(
                        std::string_view(c_, static_cast<std::size_t>(end_ - c_)), codePoint);
                    if (length == 0) {
                        invalidBytes_ = true;
                        return false;
                    }
                    gb18030::appendCodePoint(scratch_, codePoint);
                    c_ += length;
                } while (c_ < end_ && classOf(*c_) == kWide);
                break;
            case kBackslash:
                ++c_;
                if (!scanEscape()) return false;
                break;
            case kLineBreak:
                // Raw line breaks are tolerated and read as carriage returns.
                ++c_;
                scratch_.push_back('\r');
                break;
            case kTab:
                ++c_;
                scratch_.push_back('\t');
                break;
            case kControl:
                addError(kQXJsonErrorControl,
                         withHexByte("Unescaped control character '0x%x'", *c_));
                return false;
        }
        run = c_;
        while (c_ < end_ && classOf(*c_) == kPlain)
            ++c_;
        scratch_.append(run, c_);
    }
}

// Reads what follows a backslash and appends the character it stands for.
bool QXJsonScanner::scanEscape() {
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, "Unexpected EOF while parsing string");
        return false;
    }
    const char escape = *c_++;
    switch (escape) {
        case '"':
        case '/':
        case '\\':
            scratch_.push_back(escape);
            return true;
        case 'b':
            scratch_.push_back('\b');
            return true;
        case 'f':
            scratch_.push_back('\f');
            return true;
        case 'n':
            scratch_.push_back('\n');
            return true;
        case 'r':
            scratch_.push_back('\r');
            return true;
        case 't':
            scratch_.push_back('\t');
            return true;
        case 'u': {
            char32_t codePoint;
            if (!scanUnicodeChar(codePoint)) return false;
            gb18030::appendCodePoint(scratch_, codePoint);
            return true;
        }
        default:
            addError(kQXJsonErrorEscape, withHexByte("Illegal escape sequence '0x%x'", escape));
            return false;
    }
}

bool QXJsonScanner::scanUnicodeChar(char32_t& codePoint) {
    unsigned high;
    if (!scanHexQuad(high)) {
        addError(kQXJsonErrorUnicode, "Missing hex quad");
        return false;
    }
    if (high >= 0xDC00 && high <= 0xDFFF) {
        addError(kQXJsonErrorUnicode, "Invalid high character in surrogate pair");
        return false;
    }
    if (high < 0xD800 || high > 0xDFFF) {
        codePoint = high;
        return true;
    }
    unsigned low;
    if (peek() != '\\' || (++c_, peek() != 'u') || (++c_, !scanHexQuad(low))) {
        addError(kQXJsonErrorUnicode, "Missing low character in surrogate pair");
        return false;
    }
    // Every low surrogate, 0xDC00 to 0xDFFF inclusive, completes a pair.
    if (low < 0xDC00 || low > 0xDFFF) {
        addError(kQXJsonErrorUnicode, "Invalid low surrogate char");
        return false;
    }
    codePoint = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
    return true;
}

bool QXJsonScanner::scanHexQuad(unsigned& quad) {
    quad = 0;
    for (int i = 0; i < 4; ++i) {
        int digit = c_ < end_ ? hexDigit(*c_) : -1;
        if (digit < 0) {
            addError(kQXJsonErrorUnicode, "Missing hex digit in quad");
            return false;
        }
        ++c_;
        quad = quad * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

bool QXJsonScanner::scanNumber(Value& out) {
    const char* start = c_;
    if (peek() == '-') ++c_;
    if (peek() == '0') {
        ++c_;
        if (isDigit(peek())) {
            addError(kQXJsonErrorNumber, "Leading 0 disallowed in number");
            return false;
        }
    } else if (!isDigit(peek())) {
        addError(kQXJsonErrorNumber, "No digits after initial minus");
        return false;
    }
    while (isDigit(peek()))
        ++c_;
    if (peek() == '.') {
        ++c_;
        if (!isDigit(peek())) {
            addError(kQXJsonErrorNumber, "No digits after decimal point");
            return false;
        }
        while (isDigit(peek()))
            ++c_;
    }
    if (peek() == 'e' || peek() == 'E') {
        ++c_;
        if (peek() == '-' || peek() == '+') ++c_;
        if (!isDigit(peek())) {
            addError(kQXJsonErrorNumber, "No digits after exponent");
            return false;
        }
        while (isDigit(peek()))
            ++c_;
    }
    out = Value(Number{std::string(start, c_)});
    return true;
}

bool QXJsonScanner::scanRestOfLiteral(std::string_view rest, const char* error) {
    if (static_cast<std::size_t>(end_ - c_) >= rest.size() &&
        std::string_view(c_, rest.size()) == rest) {
        c_ += rest.size();
        return true;
    }
    addError(kQXJsonErrorParse, error);
    return false;
}

// After "n", or after a comma where a value belongs: "ull" completes a null,
// and a quote right away gives a null without being consumed, so that an
// empty value before a comma ({"a":,"b":1}) reads as null.
bool QXJsonScanner::scanRestOfNull() {
    if (peek() == '"') return true;
    return scanRestOfLiteral("ull", "Expected 'null'");
}

}  // namespace tovera
