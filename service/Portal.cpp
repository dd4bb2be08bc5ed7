#include "service/Portal.h"

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Log.h"
#include "service/Accounts.h"
#include "service/Handlers.h"
#include "service/PortalConfig.h"
#include "service/Schema.h"
#include "service/SchemaCommunity.h"
#include "service/Seeder.h"

namespace tovera::service {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOperationPrefix = "/api/phone/";

std::string_view urlPathOf(std::string_view target) {
    return target.substr(0, target.find('?'));
}

// Bytes that are not JSON, as a broken proxy would answer.
constexpr std::string_view kGarbage = "<html><body>502 Bad Gateway</body></html>\r\n\x01\xff";

}  // namespace

Portal::Portal(PortalOptions options) : options_(std::move(options)), updateCode_(config::kCode) {
    if (options_.dataDir.empty()) throw std::runtime_error("no data folder given");
    fs::path dataDir(options_.dataDir);
    if (options_.reset) {
        for (const char* name : {"portal.sqlite", "portal.sqlite-wal", "portal.sqlite-shm"})
            fs::remove(dataDir / name);
        fs::remove_all(dataDir / "upload");
    }
    fs::create_directories(dataDir / "upload");
    db_ = std::make_unique<Database>((dataDir / "portal.sqlite").string());
    auto lock = db_->lock();
    createSchema(*db_);
    createCommunitySchema(*db_);
    if (!isSeeded(*db_)) seedDatabase(*db_, options_.demoDir);
    addOperations(router_);
    addPages(router_);
}

Reply Portal::serve(const IncomingRequest& in) {
    std::string_view urlPath = urlPathOf(in.target);
    try {
        if (options_.delay.count() > 0) std::this_thread::sleep_for(options_.delay);
        if (urlPath.substr(0, kOperationPrefix.size()) == kOperationPrefix &&
            !router_.page(urlPath))
            return serveOperation(in, urlPath.substr(kOperationPrefix.size()));
        return servePage(in, urlPath);
    } catch (const std::exception& e) {
        platform::logLine("service error  url:" + std::string(urlPath) + " " + e.what());
        return errorReply(500, "服务器内部错误");
    }
}

Reply Portal::serveOperation(const IncomingRequest& in, std::string_view path) {
    ServiceRequest request = decodeServiceRequest(in, path);
    if (options_.recordRequests)
        hooks_.record(path, RecordedRequest{in.method, request.params, request.pictures});
    if (auto faulty = applyFault(path)) return *faulty;
    const Operation* operation = router_.operation(path);
    if (!operation) return errorReply(404, "接口不存在");

    auto lock = db_->lock();
    if (auto identity = identify(*db_, request.text("access_token"))) {
        request.userId = identity->id;
        request.userName = identity->name;
    }
    Call call{request, *this, *db_};
    return jsonReply((*operation)(call));
}

Reply Portal::servePage(const IncomingRequest& in, std::string_view urlPath) {
    if (options_.recordRequests)
        hooks_.record(urlPath, RecordedRequest{in.method, pageParameters(in), {}});
    if (auto faulty = applyFault(urlPath)) return *faulty;
    const Page* page = router_.page(urlPath);
    if (!page) {
        Reply reply = textReply("Not Found", "text/plain; charset=utf-8");
        reply.status = 404;
        return reply;
    }
    return (*page)(in, *this);
}

std::optional<Reply> Portal::applyFault(std::string_view path) {
    std::optional<Fault> fault = hooks_.takeFault(path);
    if (!fault) return std::nullopt;
    switch (fault->kind) {
        case Fault::Kind::kDelay:
            std::this_thread::sleep_for(fault->delay);
            return std::nullopt;
        case Fault::Kind::kDrop: {
            Reply reply;
            reply.drop = true;
            return reply;
        }
        case Fault::Kind::kGarbage:
            return textReply(std::string(kGarbage), "application/json; charset=GB18030");
        case Fault::Kind::kErrorCode: {
            Reply reply = errorReply(fault->errorCode, fault->msg);
            reply.status =
                fault->errorCode >= 200 && fault->errorCode <= 599 ? fault->errorCode : 200;
            return reply;
        }
        case Fault::Kind::kRefusal:
            return jsonReply(refusal(fault->msg));
        case Fault::Kind::kArray:
            return textReply(R"([{"result":[],"total":1},1,"x"])",
                             "application/json; charset=GB18030");
    }
    return std::nullopt;
}

std::string Portal::hostFor(std::string_view requestHost) const {
    if (!requestHost.empty()) return std::string(requestHost);
    std::lock_guard lock(settingsMutex_);
    return ownHost_;
}

void Portal::setOwnHost(std::string host) {
    std::lock_guard lock(settingsMutex_);
    ownHost_ = std::move(host);
}

std::string Portal::splashPicture() const {
    std::lock_guard lock(settingsMutex_);
    return splashPicture_;
}

void Portal::setSplashPicture(std::string name) {
    std::lock_guard lock(settingsMutex_);
    splashPicture_ = std::move(name);
}

std::string Portal::updateCode() const {
    std::lock_guard lock(settingsMutex_);
    return updateCode_;
}

void Portal::setUpdateCode(std::string code) {
    std::lock_guard lock(settingsMutex_);
    updateCode_ = std::move(code);
}

std::string Portal::saveUpload(std::string_view bytes) {
    std::string extension = bytes.substr(0, 3) == "\xFF\xD8\xFF" ? ".jpg" : ".png";
    std::string name = "up" + std::to_string(nextId(*db_, "upload")) + extension;
    std::string path = uploadDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot store upload " + path);
    return "upload/" + name;
}

}  // namespace tovera::service
