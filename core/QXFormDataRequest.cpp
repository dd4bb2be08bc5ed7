#include "core/QXFormDataRequest.h"

#include "core/Encoding.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace tovera {

namespace {

// A random (version 4) UUID in upper-case text.
std::string makeUuid() {
    std::random_device device;
    std::uniform_int_distribution<int> nibble(0, 15);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uuid = "xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx";
    for (char& c : uuid) {
        if (c == 'x') c = kHex[nibble(device)];
        if (c == 'y') c = kHex[8 + nibble(device) % 4];
    }
    return uuid;
}

}  // namespace

std::unique_ptr<QXFormDataRequest> QXFormDataRequest::requestWithURL(std::string url) {
    return std::make_unique<QXFormDataRequest>(std::move(url));
}

QXFormDataRequest::QXFormDataRequest(std::string url) : QXHTTPRequest(std::move(url)) {
    setRequestMethod("POST");
}

void QXFormDataRequest::addPostValue(const Value& value, std::string_view key) {
    if (key.empty()) return;
    postData_.push_back({std::string(key), value.toText()});
}

void QXFormDataRequest::setPostValue(const Value& value, std::string_view key) {
    std::erase_if(postData_, [&](const Field& f) { return f.key == key; });
    addPostValue(value, key);
}

void QXFormDataRequest::addData(std::string data, std::string fileName, std::string contentType,
                                std::string_view key) {
    fileData_.push_back(
        {std::string(key), std::move(fileName), std::move(contentType), std::move(data), {}});
    postFormat_ = PostFormat::kMultipart;
}

void QXFormDataRequest::addFile(std::string path, std::string fileName, std::string contentType,
                                std::string_view key) {
    fileData_.push_back(
        {std::string(key), std::move(fileName), std::move(contentType), {}, std::move(path)});
    postFormat_ = PostFormat::kMultipart;
}

void QXFormDataRequest::removeFileParts(std::string_view key) {
    std::erase_if(fileData_, [&](const FilePart& f) { return f.key == key; });
}

void QXFormDataRequest::setData(std::string data, std::string fileName, std::string contentType,
                                std::string_view key) {
    removeFileParts(key);
    addData(std::move(data), std::move(fileName), std::move(contentType), key);
}

void QXFormDataRequest::setFile(std::string path, std::string fileName, std::string contentType,
                                std::string_view key) {
    removeFileParts(key);
    addFile(std::move(path), std::move(fileName), std::move(contentType), key);
}

std::string QXFormDataRequest::encodeURL(std::string_view text) {
    return percentEncode(text, ":/?#[]@!$ &'()*+,;=\"<>%{}|\\^~`");
}

std::string QXFormDataRequest::buildPostBody() {
    return postFormat_ == PostFormat::kMultipart || !fileData_.empty() ? buildMultipartBody()
                                                                       : buildURLEncodedBody();
}

std::string QXFormDataRequest::buildURLEncodedBody() {
    addRequestHeader("Content-Type",
                     "application/x-www-form-urlencoded; charset=" + std::string(kCharset));
    std::string body;
    for (std::size_t i = 0; i < postData_.size(); ++i) {
        body += encodeURL(postData_[i].key) + "=" + encodeURL(postData_[i].value);
        if (i + 1 < postData_.size()) body += "&";
    }
    return body;
}

std::string QXFormDataRequest::buildMultipartBody() {
    const std::string boundary = "0xKhTmLbOuNdArY-" + makeUuid();
    addRequestHeader("Content-Type", "multipart/form-data; charset=" + std::string(kCharset) +
                                         "; boundary=" + boundary);
    const std::string separator = "\r\n--" + boundary + "\r\n";
    std::string body = "--" + boundary + "\r\n";
    bool first = true;
    for (const Field& field : postData_) {
        if (!first) body += separator;
        first = false;
        body += "Content-Disposition: form-data; name=\"" + multipartName(field.key) +
                "\"\r\n\r\n" + field.value;
    }
    for (const FilePart& part : fileData_) {
        std::string bytes = part.data;
        if (!part.path.empty()) {
            std::ifstream in(part.path, std::ios::binary);
            if (!in) {
                failWithText("Unable to create read stream");
                return {};
            }
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        if (!first) body += separator;
        first = false;
        body += "Content-Disposition: form-data; name=\"" + multipartName(part.key) +
                "\"; filename=\"" + multipartName(part.fileName) +
                "\"\r\nContent-Type: " + part.contentType + "\r\n\r\n" + bytes;
    }
    body += "\r\n--" + boundary + "--\r\n";
    return body;
}

}  // namespace tovera
