// Test support for the demo service: a service on a temporary data folder,
// a libcurl client that puts exact bytes on the wire, GB18030 request
// encoding as the client does it, and reply parsing.
#pragma once

#include <curl/curl.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Value.h"
#include "service/DemoService.h"

namespace tovera::test {

using Params = std::vector<std::pair<std::string, std::string>>;

/// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

/// A started demo service on `dataDir` (a new temporary folder when empty).
class RunningService {
public:
    explicit RunningService(std::string dataDir = {});
    service::DemoService& operator*() { return *service_; }
    service::DemoService* operator->() { return service_.get(); }
    /// "http://127.0.0.1:<port>"
    std::string base() const { return service_->baseUrl(); }
    std::string api(const std::string& path) const { return base() + "/api/phone/" + path; }
    const std::string& dataDir() const { return dataDir_; }

private:
    std::unique_ptr<TempDir> ownDir_;
    std::string dataDir_;
    std::unique_ptr<service::DemoService> service_;
};

struct HttpReply {
    CURLcode result = CURLE_OK;
    long status = 0;
    std::string contentType;
    std::string body;
};

/// One libcurl handle, reused between requests (keep-alive).
class WireClient {
public:
    WireClient();
    ~WireClient();
    WireClient(const WireClient&) = delete;
    WireClient& operator=(const WireClient&) = delete;

    HttpReply get(const std::string& url);
    /// A POST of raw `body`; `contentType` "" sends no Content-Type at all.
    HttpReply post(const std::string& url, const std::string& body, const std::string& contentType);

private:
    HttpReply perform(const std::string& url, const std::string* body,
                      const std::string& contentType);
    CURL* curl_;
};

/// Percent-encodes the GB18030 bytes of UTF-8 `text` ("|" stays raw, as the client sends it).
std::string gbEscape(const std::string& text);
/// "k=v&k=v" of UTF-8 pairs, values GB18030 percent-encoded.
std::string formEncode(const Params& params);

struct Part {
    std::string name;
    std::string value;  // UTF-8 text, or the bytes of a picture
    bool picture = false;
};
inline constexpr const char* kBoundary = "293iosfksdfkiowjksdf31jsiuwq003s02dsaffafass3qw";
/// A multipart body as the client writes it: text parts as GB18030, then the
/// picture parts; with or without the closing delimiter.
std::string multipartBody(const std::vector<Part>& parts, bool closingDelimiter);

/// The reply object of GB18030 JSON bytes, or nothing when they are not JSON.
std::optional<Value> parseReply(const std::string& body);

/// The parsed reply of an answer, or null when its body is not JSON.
Value replyOf(const HttpReply& reply);

/// Bytes that start as a PNG file (the service keeps picture parts by their signature).
std::string tinyPng();

/// Calls of the JSON dialogue against one service.
class ApiClient {
public:
    explicit ApiClient(RunningService& service) : service_(service) {}
    /// GET `path` with `params` (and the token when given); the parsed reply.
    Value get(const std::string& path, Params params, const std::string& token = {});
    /// POST a URL-encoded form.
    Value postForm(const std::string& path, const Params& params,
                   const std::string& contentType = "application/x-www-form-urlencoded");
    Value postMultipart(const std::string& path, const std::vector<Part>& parts,
                        bool closing = true);
    /// Logs in and returns the access token (user name + password value).
    std::string login(const std::string& name, const std::string& password);
    WireClient& wire() { return wire_; }

private:
    Value parsed(const HttpReply& reply);
    RunningService& service_;
    WireClient wire_;
};

}  // namespace tovera::test
