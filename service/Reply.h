// Replies of the service: the HTTP answer, and the JSON envelope of the
// portal dialogue (GB18030, "error_code" first, "code"/"msg" for actions and
// refusals, "result"/"total" for lists).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Value.h"

namespace tovera::service {

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
    /// Close the connection instead of answering (a test fault).
    bool drop = false;
};

/// The GB18030 JSON answer of an operation. "error_code" 200 comes first
/// unless `fields` sets its own.
Reply jsonReply(const Dict& fields);
/// A fault answer: HTTP `status` with {"error_code": status, "msg": msg}.
Reply errorReply(int status, std::string_view msg);
Reply textReply(std::string body, std::string contentType);

/// {"code":1,"msg":msg}: the operation was refused.
Dict refusal(std::string_view msg);
/// {"code":0,"msg":msg}: an action succeeded.
Dict success(std::string_view msg);
/// {"result":rows,"total":total}.
Dict listReply(Array rows, std::int64_t total);

/// The refusal every login-only operation gives an anonymous caller.
Dict notSignedIn();

}  // namespace tovera::service
