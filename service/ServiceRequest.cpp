#include "service/ServiceRequest.h"

#include <algorithm>
#include <limits>

namespace tovera::service {

namespace {

constexpr int kFirstCity = 3401;
constexpr int kLastCity = 3410;
constexpr int kMaxPage = 1000000;

std::string firstPresent(const Dict& params, std::string_view key, std::string_view fallbackKey) {
    if (const Value* v = params.find(key)) return v->toText();
    if (const Value* v = params.find(fallbackKey)) return v->toText();
    return {};
}

std::optional<std::int64_t> integerParam(const Dict& params, std::string_view key) {
    const Value* v = params.find(key);
    if (!v) return std::nullopt;
    return parseInteger(v->toText());
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 10;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::string ServiceRequest::text(std::string_view key) const {
    const Value* v = params.find(key);
    return v ? v->toText() : std::string();
}

std::int64_t ServiceRequest::integer(std::string_view key, std::int64_t fallback) const {
    return integerParam(params, key).value_or(fallback);
}

std::string ServiceRequest::callerKey() const {
    std::string key(1, signedIn() ? 'u' : 'a');
    key += signedIn() ? std::to_string(userId) : remoteAddr;
    return key;
}

Dict pageParameters(const IncomingRequest& in) {
    Dict params;
    std::string_view target = in.target;
    std::size_t question = target.find('?');
    if (question != std::string_view::npos)
        decodeUrlEncoded(target.substr(question + 1), TextEncoding::kUtf8, params);
    if (in.method == "POST") decodeUrlEncoded(in.body, TextEncoding::kUtf8, params);
    return params;
}

ServiceRequest decodeServiceRequest(const IncomingRequest& in, std::string_view path) {
    ServiceRequest r;
    r.path = std::string(path);
    r.host = in.host;
    r.remoteAddr = in.remoteAddr;
    std::string_view target = in.target;
    std::size_t question = target.find('?');
    std::string_view query =
        question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
    decodeParameters(query, in.contentType, in.body, r.params, r.pictures);

    r.type = firstPresent(r.params, "type", "t");
    r.operate = firstPresent(r.params, "operate", "code");
    std::int64_t page = integerParam(r.params, "page").value_or(1);
    r.page = static_cast<int>(std::clamp<std::int64_t>(page, 1, kMaxPage));
    auto size = integerParam(r.params, "size");
    if (!size) size = integerParam(r.params, "count");
    r.size = static_cast<int>(std::clamp<std::int64_t>(size.value_or(10), 1, 50));
    std::int64_t city = integerParam(r.params, "cityid").value_or(0);
    r.cityId = city >= kFirstCity && city <= kLastCity ? static_cast<int>(city) : kFirstCity;
    return r;
}

}  // namespace tovera::service
