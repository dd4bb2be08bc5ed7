#include "core/QXJsonScanner.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
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

// Writes the UTF-8 form of a code point at `w` and returns the end.
char* writeUtf8(char* w, char32_t c) {
    if (c < 0x80) {
        *w = static_cast<char>(c);
        return w + 1;
    }
    if (c < 0x800) {
        w[0] = static_cast<char>(0xC0 | (c >> 6));
        w[1] = static_cast<char>(0x80 | (c & 0x3F));
        return w + 2;
    }
    if (c < 0x10000) {
        w[0] = static_cast<char>(0xE0 | (c >> 12));
        w[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        w[2] = static_cast<char>(0x80 | (c & 0x3F));
        return w + 3;
    }
    w[0] = static_cast<char>(0xF0 | (c >> 18));
    w[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    w[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    w[3] = static_cast<char>(0x80 | (c & 0x3F));
    return w + 4;
}

std::string withHexByte(const char* format, char c) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

QXJsonScanner::QXJsonScanner(QXJsonParser& parser, std::string_view bytes)
    : parser_(parser),
      c_(bytes.data()),
      end_(bytes.data() + bytes.size()),
      textCapacity_(bytes.size() + bytes.size() / 2 + 4) {}

void QXJsonScanner::addError(int code, std::string description) {
    parser_.addErrorWithCode(code, std::move(description));
}

void QXJsonScanner::skipWhitespace() {
    while (c_ < end_ && (*c_ == ' ' || (*c_ >= '\t' && *c_ <= '\r')))
        ++c_;
}

std::optional<Value> QXJsonScanner::scan() {
    Value topLevel;
    bool wantValue = true;
    for (;;) {
        if (wantValue) {
            ValueScan scanned = scanValue(slot(topLevel));
            if (scanned == ValueScan::kFailed) return unwind(false);
            if (scanned == ValueScan::kOpened) {
                wantValue = false;
                continue;
            }
        } else {
            Frame& frame = stack_.back();
            const MemberStep next = step(frame);
            if (next == MemberStep::kFailed) return unwind(true);
            if (next == MemberStep::kValue) {
                wantValue = true;
                continue;
            }
            parser_.leaveLevel();
            Value container = close();
            slot(topLevel) = std::move(container);
        }
        if (stack_.empty()) break;
        stack_.back().afterValue = true;
        wantValue = false;
    }
    skipWhitespace();
    if (c_ != end_) {
        addError(kQXJsonErrorGarbage, "Garbage after JSON");
        return std::nullopt;
    }
    return topLevel;
}

// Where the value being read goes: the top level, or the slot that the
// innermost open container made for it.
Value& QXJsonScanner::slot(Value& topLevel) {
    if (stack_.empty()) return topLevel;
    Frame& frame = stack_.back();
    return frame.isObject ? frame.members.back().second : frame.elements.back();
}

void QXJsonScanner::open(bool isObject) {
    const std::size_t depth = stack_.size();
    if (sizeHints_.size() <= depth) sizeHints_.resize(depth + 1, 0);
    Frame& frame = stack_.emplace_back();
    frame.isObject = isObject;
    if (isObject)
        frame.members.reserve(sizeHints_[depth]);
    else
        frame.elements.reserve(sizeHints_[depth]);
}

// Builds the innermost container. Room reserved by a hint that proved far
// too large is given back, so that the tree never holds much more than its
// values.
Value QXJsonScanner::close() {
    Frame& frame = stack_.back();
    auto fit = [](auto& items) {
        if (items.size() < items.capacity() / 2) items.shrink_to_fit();
        return items.size();
    };
    Value container;
    if (frame.isObject) {
        sizeHints_[stack_.size() - 1] = fit(frame.members);
        container = Value(Dict(std::move(frame.members)));
    } else {
        sizeHints_[stack_.size() - 1] = fit(frame.elements);
        container = Value(std::move(frame.elements));
    }
    stack_.pop_back();
    return container;
}

// Every container that was being read when scanning failed adds its own
// record, innermost first, unless the failure was its own.
std::optional<Value> QXJsonScanner::unwind(bool innermostFailedItself) {
    for (std::size_t i = stack_.size(); i-- > 0;) {
        const Frame& frame = stack_[i];
        if (innermostFailedItself && i + 1 == stack_.size()) continue;
        if (frame.isObject)
            addError(kQXJsonErrorParse,
                     "Object value expected for key: " + frame.members.back().first);
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
            open(first == '{');
            return ValueScan::kOpened;
        case '"':
            // The text is read straight into the value: no copies of it.
            out = Value(std::string());
            ok = scanRestOfString(*out.string());
            break;
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

// Reads what follows an item of the innermost container (or its opening
// bracket): a comma, the closing bracket, or the start of the next item. An
// object's item starts with its key and colon; an array's item is a value.
QXJsonScanner::MemberStep QXJsonScanner::step(Frame& frame) {
    const char closing = frame.isObject ? '}' : ']';
    if (frame.afterValue) {
        frame.afterValue = false;
        skipWhitespace();
        if (peek() == ',') {
            ++c_;
            skipWhitespace();
            if (peek() == closing) {
                if (frame.isObject) {
                    addError(kQXJsonErrorTrailingComma, "Trailing comma disallowed in object");
                    return MemberStep::kFailed;
                }
                // A trailing comma ends an array: the service writes lists that way.
                ++c_;
                return MemberStep::kClosed;
            }
        }
    }
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, frame.isObject ? "End of input while parsing object"
                                                        : "End of input while parsing array");
        return MemberStep::kFailed;
    }
    skipWhitespace();
    if (peek() == closing) {
        ++c_;
        return MemberStep::kClosed;
    }
    if (!frame.isObject) {
        frame.elements.emplace_back();
        return MemberStep::kValue;
    }
    if (peek() != '"' || (++c_, !scanRestOfString(frame.members.emplace_back().first))) {
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

// Moves past plain string bytes, eight at a time while none of the eight is
// special (the tests below may report a special byte, never miss one).
void QXJsonScanner::skipPlain() {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    auto hasZero = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    while (end_ - c_ >= 8) {
        std::uint64_t x;
        std::memcpy(&x, c_, 8);
        const std::uint64_t special = (x & kHighs) | ((x - kOnes * 0x20) & ~x & kHighs) |
                                      hasZero(x ^ (kOnes * '"')) | hasZero(x ^ (kOnes * '\\'));
        if (special) break;
        c_ += 8;
    }
    while (c_ < end_ && classOf(*c_) == kPlain)
        ++c_;
}

// Reads up to and past the closing quote. A string that is one plain run is
// taken as it stands; others are decoded into text_, which has room for the
// UTF-8 form of the whole input (at most 3 bytes for every 2 read).
bool QXJsonScanner::scanRestOfString(std::string& out) {
    const char* run = c_;
    skipPlain();
    if (c_ < end_ && *c_ == '"') {
        out.assign(run, c_);
        ++c_;
        return true;
    }
    if (!text_) text_ = std::make_unique_for_overwrite<char[]>(textCapacity_);
    char* w = std::copy(run, c_, text_.get());
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
                out.assign(text_.get(), w);
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
                    w = writeUtf8(w, codePoint);
                    c_ += length;
                } while (c_ < end_ && static_cast<unsigned char>(*c_) >= 0x80);
                break;
            case kBackslash:
                ++c_;
                w = scanEscape(w);
                if (!w) return false;
                break;
            case kLineBreak:
                // Raw line breaks are tolerated and read as carriage returns.
                ++c_;
                *w++ = '\r';
                break;
            case kTab:
                *w++ = *c_++;
                break;
            case kControl:
                addError(kQXJsonErrorControl,
                         withHexByte("Unescaped control character '0x%x'", *c_));
                return false;
        }
        run = c_;
        skipPlain();
        w = std::copy(run, c_, w);
    }
}

// Reads what follows a backslash and writes the character it stands for at
// `w`. Returns the end of what was written, or nullptr on failure.
char* QXJsonScanner::scanEscape(char* w) {
    if (c_ == end_) {
        addError(kQXJsonErrorEndOfInput, "Unexpected EOF while parsing string");
        return nullptr;
    }
    const char escape = *c_++;
    char32_t codePoint = 0;
    switch (escape) {
        case '"':
        case '/':
        case '\\':
            codePoint = static_cast<unsigned char>(escape);
            break;
        case 'b':
            codePoint = '\b';
            break;
        case 'f':
            codePoint = '\f';
            break;
        case 'n':
            codePoint = '\n';
            break;
        case 'r':
            codePoint = '\r';
            break;
        case 't':
            codePoint = '\t';
            break;
        case 'u':
            if (!scanUnicodeChar(codePoint)) return nullptr;
            break;
        default:
            addError(kQXJsonErrorEscape, withHexByte("Illegal escape sequence '0x%x'", escape));
            return nullptr;
    }
    return writeUtf8(w, codePoint);
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
    out = Value(Number{});
    out.number()->literal.assign(start, c_);
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
