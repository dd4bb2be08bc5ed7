#include "service/Reply.h"

#include "core/Gb18030.h"
#include "core/QXJsonWriter.h"

namespace tovera::service {

namespace {

constexpr std::string_view kJsonType = "application/json; charset=GB18030";

// The envelope as GB18030 JSON; nothing when the writer refuses the tree.
std::optional<std::string> encode(const Dict& fields) {
    Dict envelope{{"error_code", 200}};
    envelope.merge(fields);
    QXJsonWriter writer;
    std::optional<std::string> utf8 = writer.stringWithObject(Value(std::move(envelope)));
    if (!utf8) return std::nullopt;
    return gb18030::fromUtf8Lossy(*utf8);
}

}  // namespace

Reply jsonReply(const Dict& fields) {
    std::optional<std::string> body = encode(fields);
    if (!body) return errorReply(500, "服务器内部错误");
    return textReply(std::move(*body), std::string(kJsonType));
}

Reply errorReply(int status, std::string_view msg) {
    std::optional<std::string> body = encode(Dict{{"error_code", status}, {"msg", msg}});
    Reply reply = textReply(body.value_or("{\"error_code\":" + std::to_string(status) + "}"),
                            std::string(kJsonType));
    reply.status = status;
    return reply;
}

Reply textReply(std::string body, std::string contentType) {
    Reply reply;
    reply.body = std::move(body);
    reply.contentType = std::move(contentType);
    return reply;
}

Dict refusal(std::string_view msg) {
    return Dict{{"code", 1}, {"msg", msg}};
}

Dict success(std::string_view msg) {
    return Dict{{"code", 0}, {"msg", msg}};
}

Dict listReply(Array rows, std::int64_t total) {
    return Dict{{"result", std::move(rows)}, {"total", static_cast<long long>(total)}};
}

Dict notSignedIn() {
    return refusal("您还没有登录，请登录!");
}

}  // namespace tovera::service
