// Picture files: the seed's under /pic/, uploads under /upload/.
#include <fstream>
#include <sstream>

#include "service/Handlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

// Picture names are short ASCII names of [a-z0-9_.-], never a path.
bool isPictureName(std::string_view name) {
    if (name.empty() || name.size() > 80 || name.front() == '.') return false;
    for (char c : name) {
        bool ok =
            (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '-';
        if (!ok) return false;
    }
    return true;
}

std::string_view imageType(std::string_view name) {
    auto endsWith = [&](std::string_view suffix) {
        return name.size() >= suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
    };
    if (endsWith(".jpg") || endsWith(".jpeg")) return "image/jpeg";
    if (endsWith(".png")) return "image/png";
    if (endsWith(".gif")) return "image/gif";
    return {};
}

Reply notFound() {
    Reply reply = textReply("Not Found", "text/plain; charset=utf-8");
    reply.status = 404;
    return reply;
}

Reply pictureFile(const std::string& folder, std::string_view urlPath, std::string_view prefix) {
    std::string_view name = urlPath.substr(prefix.size());
    std::string_view type = imageType(name);
    if (!isPictureName(name) || type.empty()) return notFound();
    std::ifstream in(folder + "/" + std::string(name), std::ios::binary);
    if (!in) return notFound();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return textReply(bytes.str(), std::string(type));
}

}  // namespace

void addPicturePages(Router& router) {
    router.addPage(
        "/pic/",
        [](const IncomingRequest& in, Portal& portal) {
            return pictureFile(portal.options().demoDir + "/pic",
                               in.target.substr(0, in.target.find('?')), "/pic/");
        },
        true);
    router.addPage(
        "/upload/",
        [](const IncomingRequest& in, Portal& portal) {
            return pictureFile(portal.uploadDir(), in.target.substr(0, in.target.find('?')),
                               "/upload/");
        },
        true);
}

}  // namespace tovera::service
