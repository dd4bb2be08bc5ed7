#include "service/CommunityHandlers.h"

#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

// user/close.aspx: the owner closes a question (1), opens or closes a live
// room (2) or deletes a topic (3); each kind registers with addCloseKind.
Dict close(Call& call) {
    if (!call.request.signedIn()) return notSignedIn();
    const Operation* kind = call.portal.router().closeKind(call.request.type);
    if (!kind) return refusal("暂不支持该操作");
    return (*kind)(call);
}

}  // namespace

void addCommunityOperations(Router& router) {
    router.addOperation("user/close.aspx", close);
    addTopicOperations(router);
    addActivityOperations(router);
    addLiveOperations(router);
    addMessageOperations(router);
    addFriendRequestOperations(router);
    addGroupOperations(router);
    addBlacklistOperations(router);
    addFriendSearchOperations(router);
    addProfileOperations(router);
}

Dict postedReply(std::int64_t id) {
    Dict reply = success("发布成功");
    reply.set("id", std::to_string(id));
    return reply;
}

std::string storePostedPictures(Call& call, int max) {
    std::string names;
    for (int n = 1; n <= max; ++n) {
        auto part = call.request.pictures.find("pic" + std::to_string(n));
        if (part == call.request.pictures.end()) continue;
        if (!names.empty()) names += '|';
        names += call.portal.saveUpload(part->second);
    }
    return names;
}

bool hasText(const ServiceRequest& request) {
    return !trimmed(request.text("text")).empty();
}

}  // namespace tovera::service
