#include "tests/framework/ScriptedServer.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include "core/Gb18030.h"

namespace tovera::testing {

ScriptedServer::ScriptedServer() {
    server_.respond([this](const httplib::Request& request, httplib::Response& response) {
        waitIfHeld(request);
        Handler handler;
        {
            std::lock_guard lock(mutex_);
            handler = handler_;
        }
        if (handler) handler(request, response);
    });
}

ScriptedServer::~ScriptedServer() {
    release();
}

std::string ScriptedServer::base() const {
    return "http://127.0.0.1:" + std::to_string(server_.port());
}

std::string ScriptedServer::url(const std::string& path) const {
    return base() + path;
}

void ScriptedServer::respond(Handler handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

void ScriptedServer::reply(const std::string& body) {
    const std::string gb = gb18030::fromUtf8Lossy(body);
    respond([gb](const httplib::Request&, httplib::Response& response) {
        response.set_content(gb, "application/json; charset=GB18030");
    });
}

void ScriptedServer::list(int total, int available) {
    if (available < 0) available = total;
    respond([total, available](const httplib::Request& request, httplib::Response& response) {
        const int page = request.has_param("page") ? std::stoi(request.get_param_value("page")) : 1;
        response.set_content(gb18030::fromUtf8Lossy(listPage(page, total, available)),
                             "application/json; charset=GB18030");
    });
}

void ScriptedServer::bytes(const std::string& body, const std::string& contentType) {
    respond([body, contentType](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, contentType);
    });
}

void ScriptedServer::holdPage(const std::string& page) {
    std::lock_guard lock(mutex_);
    heldPages_.insert(page);
}

void ScriptedServer::holdPath(const std::string& path) {
    std::lock_guard lock(mutex_);
    heldPaths_.insert(path);
}

void ScriptedServer::release() {
    std::lock_guard lock(mutex_);
    heldPages_.clear();
    heldPaths_.clear();
    released_.notify_all();
}

void ScriptedServer::waitIfHeld(const httplib::Request& request) {
    const std::string page = request.has_param("page") ? request.get_param_value("page") : "";
    std::unique_lock lock(mutex_);
    released_.wait(lock,
                   [&] { return !heldPages_.count(page) && !heldPaths_.count(request.path); });
}

std::vector<std::string> ScriptedServer::pages() const {
    std::vector<std::string> out;
    for (const auto& request : received()) {
        const auto at = request.target.find("page=");
        if (at == std::string::npos) continue;
        const auto end = request.target.find('&', at);
        out.push_back(request.target.substr(at + 5, end == std::string::npos ? end : end - at - 5));
    }
    return out;
}

std::string listPage(int page, int total, int available) {
    std::string items;
    for (int i = (page - 1) * 10; i < std::min(page * 10, available); ++i) {
        if (!items.empty()) items += ",";
        items += "{\"id\":\"" + std::to_string(i) + "\",\"name\":\"楼盘" + std::to_string(i) +
                 "\",\"image\":\"\"}";
    }
    return "{\"error_code\":200,\"result\":[" + items + "],\"total\":" + std::to_string(total) +
           "}";
}

std::string jpegBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x40, 0x80, 0xC0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes.toStdString();
}

}  // namespace tovera::testing
