// A synchronous form POST: text fields, and file parts that switch it to a
// multipart body. Used by the crash reporter while the process goes down.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/QXHTTPRequest.h"
#include "core/Value.h"

namespace tovera {

class QXFormDataRequest : public QXHTTPRequest {
public:
    enum class PostFormat { kURLEncoded, kMultipart };

    struct Field {
        std::string key;
        std::string value;
    };
    struct FilePart {
        std::string key;
        std::string fileName;
        std::string contentType;
        std::string data;  // bytes, when `path` is empty
        std::string path;  // a file whose content is sent
    };

    /// A form request for `url`: POST, URL-encoded, UTF-8.
    static std::unique_ptr<QXFormDataRequest> requestWithURL(std::string url);
    explicit QXFormDataRequest(std::string url);

    /// Replaces every field named `key` with one new field at the end.
    void setPostValue(const Value& value, std::string_view key);
    /// Appends a field; an empty key is ignored.
    void addPostValue(const Value& value, std::string_view key);
    void addData(std::string data, std::string fileName, std::string contentType,
                 std::string_view key);
    void addFile(std::string path, std::string fileName, std::string contentType,
                 std::string_view key);
    void setData(std::string data, std::string fileName, std::string contentType,
                 std::string_view key);
    void setFile(std::string path, std::string fileName, std::string contentType,
                 std::string_view key);

    const std::vector<Field>& postData() const { return postData_; }
    const std::vector<FilePart>& fileData() const { return fileData_; }
    PostFormat postFormat() const { return postFormat_; }
    void setPostFormat(PostFormat format) { postFormat_ = format; }
    /// IANA name of the text encoding, written into the Content-Type.
    static constexpr std::string_view kCharset = "utf-8";

    /// Percent-escapes UTF-8 text: non-ASCII bytes and ":/?#[]@!$ &'()*+,;=\"<>%{}|\\^~`".
    static std::string encodeURL(std::string_view text);

protected:
    std::string buildPostBody() override;

private:
    void removeFileParts(std::string_view key);
    std::string buildURLEncodedBody();
    std::string buildMultipartBody();

    std::vector<Field> postData_;
    std::vector<FilePart> fileData_;
    PostFormat postFormat_ = PostFormat::kURLEncoded;
};

}  // namespace tovera
