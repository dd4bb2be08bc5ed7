// The one value type of the program: replies decoded from JSON, parameter
// dictionaries handed to the service, and the error records' user information.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace tovera {

class Value;
using Array = std::vector<Value>;

/// A decimal number that keeps the digits of its literal exactly.
struct Number {
    std::string literal;
    bool operator==(const Number&) const = default;
};

/// Bytes put into a parameter dictionary for an upload: a picture (sent as a
/// PNG file part) or opaque binary data.
struct Data {
    std::string bytes;
    bool isPicture = false;
    bool operator==(const Data&) const = default;
};

/// An ordered dictionary from text keys to values. Keys keep the order in
/// which they were first set; setting an existing key replaces its value in
/// place. Lookups are linear for small dictionaries and hashed for large ones.
class Dict {
public:
    using Entry = std::pair<std::string, Value>;

    Dict() = default;
    Dict(std::initializer_list<Entry> entries);
    /// Takes `entries` in their order; a later entry with a key seen before
    /// replaces the earlier one's value in its place, as set() would.
    explicit Dict(std::vector<Entry> entries);
    Dict(const Dict& other);
    Dict(Dict&& other) noexcept = default;
    Dict& operator=(const Dict& other);
    Dict& operator=(Dict&& other) noexcept = default;
    ~Dict();

    const Value* find(std::string_view key) const;
    Value* find(std::string_view key);
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    /// The value under `key`, or a null value when the key is absent.
    const Value& operator[](std::string_view key) const;

    void set(std::string_view key, Value value);
    bool remove(std::string_view key);
    /// Copies every entry of `other` into this dictionary, replacing existing keys.
    void merge(const Dict& other);
    void clear();

    std::size_t size() const;
    bool empty() const;
    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;
    std::vector<Entry>::iterator begin();
    std::vector<Entry>::iterator end();

    /// The text form of the value, or `defaultValue` when the key is missing or
    /// holds null (or holds a container, which has no text form).
    std::string getStringValueForKey(std::string_view key, std::string_view defaultValue) const;
    /// The integer value of the stored text or number; `defaultValue` only
    /// when the key holds null (or a container); a missing key reads 0.
    int getIntValueForKey(std::string_view key, int defaultValue) const;
    /// As getIntValueForKey, for a bool; a missing key reads false.
    bool getBoolValueForKey(std::string_view key, bool defaultValue) const;
    /// Stores the text form of a present value; a null value leaves the key unchanged.
    void setString(const Value& value, std::string_view key);

    bool operator==(const Dict& other) const;

private:
    using Index = std::unordered_map<std::string, std::size_t>;
    static constexpr std::size_t kIndexThreshold = 16;

    std::ptrdiff_t position(std::string_view key) const;
    bool mayRepeatKeys() const;

    std::vector<Entry> entries_;
    mutable std::unique_ptr<Index> index_;
};

class Value {
public:
    enum class Type { kNull, kBool, kNumber, kString, kArray, kDict, kData };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : v_(b) {}
    Value(int n) : v_(tovera::Number{std::to_string(n)}) {}
    Value(long n) : v_(tovera::Number{std::to_string(n)}) {}
    Value(long long n) : v_(tovera::Number{std::to_string(n)}) {}
    Value(unsigned n) : v_(tovera::Number{std::to_string(n)}) {}
    Value(unsigned long n) : v_(tovera::Number{std::to_string(n)}) {}
    Value(tovera::Number n) : v_(std::move(n)) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(std::string_view s) : v_(std::string(s)) {}
    Value(tovera::Array a) : v_(std::move(a)) {}
    Value(tovera::Dict d) : v_(std::move(d)) {}
    Value(tovera::Data d) : v_(std::move(d)) {}

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isNull() const { return type() == Type::kNull; }
    bool isBool() const { return type() == Type::kBool; }
    bool isNumber() const { return type() == Type::kNumber; }
    bool isString() const { return type() == Type::kString; }
    bool isArray() const { return type() == Type::kArray; }
    bool isDict() const { return type() == Type::kDict; }
    bool isData() const { return type() == Type::kData; }

    /// Typed access; nullptr when the value has another type.
    const std::string* string() const { return std::get_if<std::string>(&v_); }
    std::string* string() { return std::get_if<std::string>(&v_); }
    const tovera::Number* number() const { return std::get_if<tovera::Number>(&v_); }
    tovera::Number* number() { return std::get_if<tovera::Number>(&v_); }
    const tovera::Array* array() const { return std::get_if<tovera::Array>(&v_); }
    tovera::Array* array() { return std::get_if<tovera::Array>(&v_); }
    const tovera::Dict* dict() const { return std::get_if<tovera::Dict>(&v_); }
    tovera::Dict* dict() { return std::get_if<tovera::Dict>(&v_); }
    const tovera::Data* data() const { return std::get_if<tovera::Data>(&v_); }
    bool boolean() const;

    /// The array's elements, or an empty array for any other value.
    const tovera::Array& items() const;
    /// The element at `i`, or null when out of range or not an array.
    const Value& operator[](std::size_t i) const;
    const Value& operator[](int i) const {
        return i < 0 ? null() : (*this)[static_cast<std::size_t>(i)];
    }
    /// The value under `key`, or null when absent or when this is not a dictionary.
    const Value& operator[](std::string_view key) const;
    const Value& operator[](const char* key) const { return (*this)[std::string_view(key)]; }

    /// The "%@" text form: text as it is, a number's literal, "1"/"0" for a
    /// bool, "" for null, data and containers.
    std::string toText() const;
    /// Integer value of text (leading integer, as a C integer conversion reads
    /// it) or of a number (truncated, clamped to the int range); 0 otherwise.
    int intValue() const;
    /// Bool value of text (true when it starts with Y, y, T, t or a digit 1-9
    /// after blanks, a sign and zeros) or of a number (non-zero); false otherwise.
    bool boolValue() const;

    /// Reading operations that give the default on anything but a dictionary.
    std::string getStringValueForKey(std::string_view key, std::string_view defaultValue) const;
    int getIntValueForKey(std::string_view key, int defaultValue) const;
    bool getBoolValueForKey(std::string_view key, bool defaultValue) const;

    bool operator==(const Value& other) const { return v_ == other.v_; }

    static const Value& null();

private:
    std::variant<std::monostate, bool, tovera::Number, std::string, tovera::Array, tovera::Dict,
                 tovera::Data>
        v_;
};

// Defined here, where Value is complete: some compilers need the entry type
// complete to instantiate them.
inline std::size_t Dict::size() const {
    return entries_.size();
}
inline bool Dict::empty() const {
    return entries_.empty();
}
inline std::vector<Dict::Entry>::const_iterator Dict::begin() const {
    return entries_.begin();
}
inline std::vector<Dict::Entry>::const_iterator Dict::end() const {
    return entries_.end();
}
inline std::vector<Dict::Entry>::iterator Dict::begin() {
    return entries_.begin();
}
inline std::vector<Dict::Entry>::iterator Dict::end() {
    return entries_.end();
}

}  // namespace tovera
