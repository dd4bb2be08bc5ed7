// One decoded operation request: its parameters (UTF-8), pictures, the keys
// every handler normalises, and the caller's identity.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Value.h"
#include "service/RequestDecoding.h"

namespace tovera::service {

/// What the HTTP layer hands over, before any decoding.
struct IncomingRequest {
    std::string method;
    std::string target;  // path and raw query, as on the request line
    std::string contentType;
    std::string host;  // Host header; picture URLs are built from it
    std::string remoteAddr;
    std::string body;
};

struct ServiceRequest {
    std::string path;  // operation path below /api/phone/, e.g. "news/sort.aspx"
    Dict params;
    Pictures pictures;
    std::string host;
    std::string remoteAddr;

    // Keys every handler reads the same way.
    std::string type;     // "type", else "t"
    std::string operate;  // "operate", else "code"
    int page = 1;         // from 1
    int size = 10;        // "size", else "count", else 10; within 1-50
    int cityId = 3401;    // "cityid" when it names a portal city, else 3401

    // The caller, from "access_token" only; 0 and "" when anonymous.
    std::int64_t userId = 0;
    std::string userName;

    bool signedIn() const { return userId > 0; }
    /// Text of a parameter, "" when absent.
    std::string text(std::string_view key) const;
    /// The parameters of a request outside the JSON dialogue (web pages,
    /// geocoding, crash reports): query and, for a POST, the form body, UTF-8.
    Dict pageParameters(const IncomingRequest& in);

    /// Leading decimal integer of a parameter, `fallback` when absent or not a number.
    std::int64_t integer(std::string_view key, std::int64_t fallback = 0) const;
    std::int64_t offset() const { return static_cast<std::int64_t>(page - 1) * size; }
    /// Who a vote or a remembered choice belongs to: the user, else the address.
    std::string callerKey() const;
};

/// Splits the target, decodes query and body, and fills the normalised keys
/// (identity is left to the caller, which needs the database).
ServiceRequest decodeServiceRequest(const IncomingRequest& in, std::string_view path);

/// The parameters of a request outside the JSON dialogue (web pages,
/// geocoding, crash reports): query and, for a POST, the form body, UTF-8.
Dict pageParameters(const IncomingRequest& in);

/// Leading decimal integer of `text` (after blanks and a sign), or nothing.
std::optional<std::int64_t> parseInteger(std::string_view text);

}  // namespace tovera::service
