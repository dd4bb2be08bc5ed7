#include "ServiceHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>

#include "core/Gb18030.h"
#include "core/QXJson.h"

namespace tovera::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    std::random_device random;
    fs::path dir = fs::temp_directory_path() / ("tovera-service-test-" + std::to_string(random()) +
                                                "-" + std::to_string(counter++));
    fs::create_directories(dir);
    path_ = dir.string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

RunningService::RunningService(std::string dataDir) {
    if (dataDir.empty()) {
        ownDir_ = std::make_unique<TempDir>();
        dataDir = ownDir_->path();
    }
    dataDir_ = dataDir;
    service::ServiceOptions options;
    options.dataDir = dataDir;
    service_ = std::make_unique<service::DemoService>(options);
    std::string error;
    if (!service_->start(&error)) throw std::runtime_error("demo service did not start: " + error);
}

namespace {

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

}  // namespace

WireClient::WireClient() : curl_(curl_easy_init()) {}

WireClient::~WireClient() {
    curl_easy_cleanup(curl_);
}

HttpReply WireClient::get(const std::string& url) {
    return perform(url, nullptr, {});
}

HttpReply WireClient::post(const std::string& url, const std::string& body,
                           const std::string& contentType) {
    return perform(url, &body, contentType);
}

HttpReply WireClient::perform(const std::string& url, const std::string* body,
                              const std::string& contentType) {
    HttpReply reply;
    curl_easy_reset(curl_);
    curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(curl_, CURLOPT_TIMEOUT, 30L);
    curl_slist* headers = nullptr;
    if (body) {
        curl_easy_setopt(curl_, CURLOPT_POST, 1L);
        curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, body->data());
        curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
        // "Content-Type:" with nothing after it removes the header curl would add.
        headers = curl_slist_append(
            headers, ("Content-Type:" + (contentType.empty() ? "" : " " + contentType)).c_str());
        headers = curl_slist_append(headers, "Expect:");
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers);
    }
    reply.result = curl_easy_perform(curl_);
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &reply.status);
    char* type = nullptr;
    curl_easy_getinfo(curl_, CURLINFO_CONTENT_TYPE, &type);
    if (type) reply.contentType = type;
    curl_slist_free_all(headers);
    return reply;
}

std::string gbEscape(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bytes = gb18030::fromUtf8Lossy(text);
    std::string out;
    for (unsigned char c : bytes) {
        bool raw = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '-' || c == '.' || c == '_' || c == '|';
        if (raw) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string formEncode(const Params& params) {
    std::string out;
    for (const auto& [key, value] : params) {
        if (!out.empty()) out += '&';
        out += key + "=" + gbEscape(value);
    }
    return out;
}

std::string multipartBody(const std::vector<Part>& parts, bool closingDelimiter) {
    const std::string separator = std::string("--") + kBoundary;
    std::string body = separator + "\r\n";
    std::string pictures;
    for (const Part& part : parts) {
        if (part.picture) continue;
        body += "Content-Disposition: form-data; name=\"" + part.name + "\"\r\n\r\n" +
                gb18030::fromUtf8Lossy(part.value) + "\r\n" + separator + "\r\n";
    }
    for (const Part& part : parts) {
        if (!part.picture) continue;
        body += "Content-Disposition: form-data; name=\"" + part.name + "\"; filename=\"" +
                part.name +
                ".png\"\r\nContent-Type: image/*\r\nContent-Transfer-Encoding: binary\r\n\r\n" +
                part.value + "\r\n" + separator + "\r\n";
    }
    if (closingDelimiter) body.replace(body.size() - 2, 2, "--\r\n");
    return body;
}

std::optional<Value> parseReply(const std::string& body) {
    QXJson json;
    return json.objectWithString(body);
}

Value replyOf(const HttpReply& reply) {
    std::optional<Value> value = parseReply(reply.body);
    if (!value) return Value();
    return std::move(*value);
}

std::string tinyPng() {
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 25) +
           std::string(40, '\x7f');
}

Value ApiClient::parsed(const HttpReply& reply) {
    EXPECT_EQ(reply.result, CURLE_OK);
    std::optional<Value> value = parseReply(reply.body);
    EXPECT_TRUE(value) << "not JSON: " << gb18030::toUtf8Lossy(reply.body);
    return value ? *value : Value();
}

Value ApiClient::get(const std::string& path, Params params, const std::string& token) {
    if (!token.empty()) params.emplace_back("access_token", token);
    std::string query = formEncode(params);
    return parsed(wire_.get(service_.api(path) + (query.empty() ? "" : "?" + query)));
}

Value ApiClient::postForm(const std::string& path, const Params& params,
                          const std::string& contentType) {
    return parsed(wire_.post(service_.api(path), formEncode(params), contentType));
}

Value ApiClient::postMultipart(const std::string& path, const std::vector<Part>& parts,
                               bool closing) {
    return parsed(wire_.post(service_.api(path), multipartBody(parts, closing),
                             std::string("multipart/form-data; boundary=") + kBoundary));
}

std::string ApiClient::login(const std::string& name, const std::string& password) {
    Value reply = postForm("user/login.aspx", {{"username", name}, {"password", password}});
    return reply["username"].toText() + reply["password"].toText();
}

}  // namespace tovera::test
