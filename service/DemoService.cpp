#include "service/DemoService.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Log.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

// Header under which the request's Content-Type travels past cpp-httplib:
// the library refuses a multipart body it cannot parse to the end (HTTP 400
// before any handler runs), while the portal must accept uploads without a
// closing delimiter or without a boundary in the header. Moving the type
// aside before routing makes the library hand every body over raw, and the
// portal parses multipart itself.
constexpr const char* kContentTypeHeader = "X-Tovera-Content-Type";

httplib::Server::HandlerResponse moveContentTypeAside(const httplib::Request& request) {
    // The library passes its own mutable request object as const.
    auto& headers = const_cast<httplib::Request&>(request).headers;
    auto it = headers.find("Content-Type");
    if (it != headers.end()) {
        std::string type = it->second;
        headers.erase(it);
        headers.emplace(kContentTypeHeader, std::move(type));
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

void writeReply(const Reply& reply, httplib::Response& response) {
    if (reply.drop) {
        // Announces a body and then fails to write it: the client sees the
        // connection end in the middle of the answer.
        response.set_content_provider(
            1024, "application/json",
            [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
        return;
    }
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType.c_str());
}

}  // namespace

struct DemoService::Impl {
    ServiceOptions options;
    std::unique_ptr<Portal> portal;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::atomic<int> port{0};
    std::atomic<bool> listenEnded{false};
    std::atomic<bool> stopping{false};
    std::string ownHost;

    bool openPortal(std::string* error) {
        try {
            if (!portal)
                portal = std::make_unique<Portal>(PortalOptions{options.dataDir, options.demoDir,
                                                                options.reset, options.delay,
                                                                options.recordRequests});
            return true;
        } catch (const std::exception& e) {
            if (error) *error = e.what();
            platform::logLine(std::string("service cannot start: ") + e.what());
            return false;
        }
    }
    // The state could not be opened in the background: every request gets 503.
    Reply serve(IncomingRequest request) const {
        return portal ? portal->serve(std::move(request)) : errorReply(503, "服务暂不可用");
    }

    IncomingRequest incoming(const httplib::Request& request, std::string body) const {
        return IncomingRequest{request.method,
                               request.target,
                               request.get_header_value(kContentTypeHeader),
                               request.get_header_value("Host"),
                               request.remote_addr,
                               std::move(body)};
    }

    void configure() {
        int threads = options.threads > 0 ? options.threads : 1;
        server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
        server->set_payload_max_length(kMaxRequestBody);
        // Headers and body go out in separate writes: without this, Nagle's
        // algorithm holds the body back for the client's delayed ACK (40 ms).
        server->set_tcp_nodelay(true);
        server->set_keep_alive_max_count(1000);
        server->set_keep_alive_timeout(2);
        server->set_pre_routing_handler([](const httplib::Request& request, httplib::Response&) {
            return moveContentTypeAside(request);
        });
        server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            writeReply(serve(incoming(request, {})), response);
        });
        server->Post(".*", [this](const httplib::Request& request, httplib::Response& response,
                                  const httplib::ContentReader& reader) {
            std::string body;
            bool complete = reader([&body](const char* data, std::size_t length) {
                body.append(data, length);
                return true;
            });
            // An unreadable or oversized body already has its status (400,
            // 413); the error handler writes the answer.
            if (!complete) return;
            writeReply(serve(incoming(request, std::move(body))), response);
        });
        server->set_error_handler([](const httplib::Request&, httplib::Response& response) {
            if (!response.body.empty()) return;
            Reply reply =
                errorReply(response.status, response.status == 404 ? "接口不存在" : "请求无法处理");
            response.set_content(reply.body, reply.contentType.c_str());
        });
    }
};

DemoService::DemoService(ServiceOptions options) : impl_(std::make_unique<Impl>()) {
    if (options.demoDir.empty()) options.demoDir = defaultDemoDir();
    impl_->options = std::move(options);
}

DemoService::~DemoService() {
    stop();
}

bool DemoService::start(std::string* error) {
    if (running()) return true;
    const bool background = impl_->options.openInBackground && !impl_->portal;
    if (!background && !impl_->openPortal(error)) return false;
    impl_->server = std::make_unique<httplib::Server>();
    impl_->configure();
    const std::string& host = impl_->options.host;
    int port = impl_->options.port == 0 ? impl_->server->bind_to_any_port(host)
               : impl_->server->bind_to_port(host, impl_->options.port) ? impl_->options.port
                                                                        : -1;
    if (port <= 0) {
        if (error) *error = "cannot listen on " + host + ":" + std::to_string(impl_->options.port);
        impl_->server.reset();
        return false;
    }
    impl_->port = port;
    impl_->ownHost =
        (host == "0.0.0.0" || host == "::" ? "127.0.0.1" : host) + ":" + std::to_string(port);
    if (!background) impl_->portal->setOwnHost(impl_->ownHost);
    impl_->listenEnded = false;
    impl_->stopping = false;
    impl_->thread = std::thread([impl = impl_.get(), background] {
        // Connections made meanwhile wait in the bound socket's queue.
        if (background && impl->openPortal(nullptr)) impl->portal->setOwnHost(impl->ownHost);
        if (!impl->stopping) impl->server->listen_after_bind();
        impl->listenEnded = true;
    });
    // A stop() before the server thread listens would be lost and leave the
    // thread in accept() for good: return once it listens (stop() waits for
    // that itself when the state opens in the background).
    while (!background && !impl_->server->is_running() && !impl_->listenEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    platform::logLine("service listening on " + baseUrl());
    return true;
}

void DemoService::stop() {
    if (!impl_->server) return;
    impl_->stopping = true;
    // A thread still opening the state listens afterwards unless it sees
    // `stopping`; one that passed that check is stopped once it listens.
    while (!impl_->server->is_running() && !impl_->listenEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    impl_->server->stop();
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->server.reset();
    impl_->port = 0;
}

bool DemoService::running() const {
    return impl_->server != nullptr;
}

int DemoService::port() const {
    return impl_->port;
}

std::string DemoService::baseUrl() const {
    std::string host = impl_->options.host == "0.0.0.0" ? "127.0.0.1" : impl_->options.host;
    return "http://" + host + ":" + std::to_string(port());
}

void DemoService::injectFault(std::string path, Fault fault) {
    if (impl_->portal) impl_->portal->hooks().injectFault(std::move(path), std::move(fault));
}

void DemoService::clearFaults() {
    if (impl_->portal) impl_->portal->hooks().clearFaults();
}

std::vector<RecordedRequest> DemoService::requestsTo(std::string_view path) const {
    return impl_->portal ? impl_->portal->hooks().requestsTo(path) : std::vector<RecordedRequest>{};
}

std::size_t DemoService::operationCount() const {
    return impl_->portal ? impl_->portal->hooks().operationCount() : 0;
}

std::vector<Dict> DemoService::crashReports() {
    std::vector<Dict> reports;
    if (!impl_->portal) return reports;
    Database& db = impl_->portal->database();
    auto lock = db.lock();
    Statement rows(db,
                   "SELECT platform, model, rom, app, version, report, authkey, auth_ok, "
                   "created_at FROM crash_report ORDER BY id");
    while (rows.step())
        reports.push_back(rows.row());
    return reports;
}

void DemoService::setUpdateCode(std::string code) {
    if (impl_->portal) impl_->portal->setUpdateCode(std::move(code));
}

void DemoService::setSplashPicture(std::string name) {
    if (impl_->portal) impl_->portal->setSplashPicture(std::move(name));
}

std::string defaultDemoDir() {
    return TOVERA_DEMO_DIR;
}

}  // namespace tovera::service
