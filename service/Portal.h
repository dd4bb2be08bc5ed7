// The portal behind the HTTP server: its state (database, uploads, test
// hooks) and the dispatch of one request to an operation or a page. Knows
// nothing of sockets, so it runs the same in the server and in tests.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "service/CommentKindMemory.h"
#include "service/Database.h"
#include "service/Reply.h"
#include "service/Router.h"
#include "service/ServiceHooks.h"
#include "service/ServiceRequest.h"

namespace tovera::service {

struct PortalOptions {
    /// Holds the database "portal.sqlite" and the uploaded pictures; created when missing.
    std::string dataDir;
    /// The demo seed: "seed.sql" and the pictures under "pic/".
    std::string demoDir;
    /// Start from a fresh seed, dropping the stored state.
    bool reset = false;
    /// Added before every answer (for trying the client on a slow service).
    std::chrono::milliseconds delay{0};
    /// Keep the decoded requests of each path for inspection.
    bool recordRequests = true;
};

class Portal {
public:
    /// Opens the state, seeding it on first start. Throws DatabaseError or
    /// std::runtime_error when the data folder or the seed cannot be used.
    explicit Portal(PortalOptions options);

    Reply serve(const IncomingRequest& request);

    const PortalOptions& options() const { return options_; }
    Database& database() { return *db_; }
    ServiceHooks& hooks() { return hooks_; }
    CommentKindMemory& commentKinds() { return commentKinds_; }
    const Router& router() const { return router_; }

    /// The request's Host, or the service's own address for a request without one.
    std::string hostFor(std::string_view requestHost) const;
    void setOwnHost(std::string host);

    /// File name of the current splash picture (a seed picture).
    std::string splashPicture() const;
    void setSplashPicture(std::string name);
    /// The version "code" of the "ios" row of the update check.
    std::string updateCode() const;
    void setUpdateCode(std::string code);

    /// Stores uploaded picture bytes under a new name, "upload/<name>".
    /// Needs the database lock (the name comes from a sequence).
    std::string saveUpload(std::string_view bytes);
    std::string uploadDir() const { return options_.dataDir + "/upload"; }

private:
    Reply serveOperation(const IncomingRequest& in, std::string_view path);
    Reply servePage(const IncomingRequest& in, std::string_view urlPath);
    /// The answer a pending fault of `path` gives instead of the normal one.
    std::optional<Reply> applyFault(std::string_view path);

    PortalOptions options_;
    std::unique_ptr<Database> db_;
    Router router_;
    ServiceHooks hooks_;
    CommentKindMemory commentKinds_;
    mutable std::mutex settingsMutex_;
    std::string ownHost_;
    std::string splashPicture_ = "splash_v1.png";
    std::string updateCode_;
};

}  // namespace tovera::service
