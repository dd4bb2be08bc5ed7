#include "core/Value.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tovera {

namespace {

int clampToInt(long long n) {
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return static_cast<int>(n);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Leading integer of a text: blanks, an optional sign, digits; overflow
// clamps to the int range.
int leadingInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long n = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        n = n * 10 + (s[i] - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) break;
    }
    return clampToInt(negative ? -n : n);
}

int numberInt(const std::string& literal) {
    if (literal.find_first_of(".eE") == std::string::npos) return leadingInt(literal);
    double d = std::strtod(literal.c_str(), nullptr);
    if (std::isnan(d)) return 0;
    if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(d);
}

bool textBool(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] == '0')
        ++i;
    if (i == s.size()) return false;
    char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

}  // namespace

// ---- Dict ----------------------------------------------------------------

Dict::Dict(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries)
        set(key, value);
}

Dict::Dict(std::vector<Entry> entries) : entries_(std::move(entries)) {
    if (!mayRepeatKeys()) return;
    std::vector<Entry> all = std::move(entries_);
    entries_.clear();
    for (auto& [key, value] : all)
        set(key, std::move(value));
}

Dict::Dict(const Dict& other) : entries_(other.entries_) {}

// False when every key is distinct; true for a repeated key or, rarely, two
// keys that share a fingerprint. Far cheaper than set() per entry, which
// would build the hashed index for every large dictionary.
bool Dict::mayRepeatKeys() const {
    const std::size_t n = entries_.size();
    if (n < 2) return false;
    // Length with the first and last eight bytes: enough to tell keys apart.
    auto fingerprint = [](const std::string& key) {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        if (key.size() >= 8) {
            std::memcpy(&head, key.data(), 8);
            std::memcpy(&tail, key.data() + key.size() - 8, 8);
        } else {
            for (char c : key)
                head = (head << 8) | static_cast<unsigned char>(c);
        }
        return (head ^ (tail * 0x9E3779B97F4A7C15u) ^ key.size()) | 1;  // 0 marks a free slot
    };
    // Open addressing over a table at least twice the entry count.
    std::array<std::uint64_t, 128> small;
    std::vector<std::uint64_t> large;
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(2 * n, 16));
    std::uint64_t* table = small.data();
    if (slots > small.size()) {
        large.resize(slots);
        table = large.data();
    }
    std::fill(table, table + slots, 0);
    const int shift = 64 - std::countr_zero(slots);
    for (const Entry& entry : entries_) {
        const std::uint64_t print = fingerprint(entry.first);
        std::size_t i = (print * 0x9E3779B97F4A7C15u) >> shift;
        while (table[i] != 0) {
            if (table[i] == print) return true;
            i = (i + 1) & (slots - 1);
        }
        table[i] = print;
    }
    return false;
}

Dict& Dict::operator=(const Dict& other) {
    if (this != &other) {
        entries_ = other.entries_;
        index_.reset();
    }
    return *this;
}

Dict::~Dict() = default;

std::ptrdiff_t Dict::position(std::string_view key) const {
    if (entries_.size() <= kIndexThreshold) {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].first == key) return static_cast<std::ptrdiff_t>(i);
        return -1;
    }
    if (!index_) {
        index_ = std::make_unique<Index>();
        index_->reserve(entries_.size() * 2);
        for (std::size_t i = 0; i < entries_.size(); ++i)
            index_->emplace(entries_[i].first, i);
    }
    auto it = index_->find(std::string(key));
    return it == index_->end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
}

const Value* Dict::find(std::string_view key) const {
    auto i = position(key);
    return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)].second;
}

Value* Dict::find(std::string_view key) {
    auto i = position(key);
    return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)].second;
}

const Value& Dict::operator[](std::string_view key) const {
    const Value* v = find(key);
    return v ? *v : Value::null();
}

void Dict::set(std::string_view key, Value value) {
    if (Value* existing = find(key)) {
        *existing = std::move(value);
        return;
    }
    entries_.emplace_back(std::string(key), std::move(value));
    if (index_) index_->emplace(entries_.back().first, entries_.size() - 1);
}

bool Dict::remove(std::string_view key) {
    auto i = position(key);
    if (i < 0) return false;
    entries_.erase(entries_.begin() + i);
    index_.reset();
    return true;
}

void Dict::merge(const Dict& other) {
    for (const auto& [key, value] : other.entries_)
        set(key, value);
}

void Dict::clear() {
    entries_.clear();
    index_.reset();
}

std::string Dict::getStringValueForKey(std::string_view key, std::string_view defaultValue) const {
    const Value* v = find(key);
    if (!v || v->isNull() || v->isArray() || v->isDict()) return std::string(defaultValue);
    return v->toText();
}

int Dict::getIntValueForKey(std::string_view key, int defaultValue) const {
    const Value* v = find(key);
    if (!v) return 0;
    if (v->isNull() || v->isArray() || v->isDict()) return defaultValue;
    return v->intValue();
}

bool Dict::getBoolValueForKey(std::string_view key, bool defaultValue) const {
    const Value* v = find(key);
    if (!v) return false;
    if (v->isNull() || v->isArray() || v->isDict()) return defaultValue;
    return v->boolValue();
}

void Dict::setString(const Value& value, std::string_view key) {
    if (value.isNull()) return;
    set(key, value.toText());
}

bool Dict::operator==(const Dict& other) const {
    return entries_ == other.entries_;
}

// ---- Value ---------------------------------------------------------------

const Value& Value::null() {
    static const Value kNull;
    return kNull;
}

bool Value::boolean() const {
    const bool* b = std::get_if<bool>(&v_);
    return b && *b;
}

const Array& Value::items() const {
    static const Array kEmpty;
    const Array* a = array();
    return a ? *a : kEmpty;
}

const Value& Value::operator[](std::size_t i) const {
    const Array* a = array();
    return a && i < a->size() ? (*a)[i] : null();
}

const Value& Value::operator[](std::string_view key) const {
    const Dict* d = dict();
    return d ? (*d)[key] : null();
}

std::string Value::toText() const {
    switch (type()) {
        case Type::kString:
            return *string();
        case Type::kNumber:
            return number()->literal;
        case Type::kBool:
            return boolean() ? "1" : "0";
        default:
            return {};
    }
}

int Value::intValue() const {
    switch (type()) {
        case Type::kString:
            return leadingInt(*string());
        case Type::kNumber:
            return numberInt(number()->literal);
        case Type::kBool:
            return boolean() ? 1 : 0;
        default:
            return 0;
    }
}

bool Value::boolValue() const {
    switch (type()) {
        case Type::kString:
            return textBool(*string());
        case Type::kNumber:
            return std::strtod(number()->literal.c_str(), nullptr) != 0.0;
        case Type::kBool:
            return boolean();
        default:
            return false;
    }
}

std::string Value::getStringValueForKey(std::string_view key, std::string_view defaultValue) const {
    const Dict* d = dict();
    return d ? d->getStringValueForKey(key, defaultValue) : std::string(defaultValue);
}

int Value::getIntValueForKey(std::string_view key, int defaultValue) const {
    const Dict* d = dict();
    return d ? d->getIntValueForKey(key, defaultValue) : defaultValue;
}

bool Value::getBoolValueForKey(std::string_view key, bool defaultValue) const {
    const Dict* d = dict();
    return d ? d->getBoolValueForKey(key, defaultValue) : defaultValue;
}

}  // namespace tovera
