// The one error record of the program: a domain, an integer code, user
// information, a description, and the error that led to it, if any.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/Value.h"

namespace tovera {

/// Error domain of the service dialogue and its user-information key.
inline constexpr std::string_view domainError = "domainToveraError";
inline constexpr std::string_view keyCodeSDKError = "tovera_error_code";

struct Error {
    std::string domain;
    int code = 0;
    Dict userInfo;
    std::string description;
    std::shared_ptr<const Error> underlying;
};

}  // namespace tovera
