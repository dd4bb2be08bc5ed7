#include "core/SplashPicture.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Gb18030.h"
#include "core/ServiceSettings.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/Text.h"
#include "platform/net/Http.h"

namespace tovera {

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A body fetched with a 2xx status, or nothing.
std::optional<std::string> fetchBody(const std::string& url, std::chrono::milliseconds timeOut) {
    platform::net::HttpRequest request;
    request.url = url;
    request.timeout = timeOut;
    platform::net::FetchResult result = platform::net::fetch(request);
    if (result.error) {
        platform::logLine("splash fetch failed  url:" + url + " " + result.error->message);
        return std::nullopt;
    }
    if (result.response.statusCode / 100 != 2) {
        platform::logLine("splash fetch failed  url:" + url + " status " +
                          std::to_string(result.response.statusCode));
        return std::nullopt;
    }
    return std::move(result.body);
}

// Writes `bytes` beside `path` and renames the copy into place, so a reader
// never sees half a picture.
bool writeAtomically(const std::string& path, const std::string& bytes) {
    std::string temporary = (std::filesystem::path(path).parent_path() / ".splash-XXXXXX").string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = ::close(fd) == 0 && done == bytes.size();
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace

bool SplashPicture::isAcceptableName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameBytes || name.front() == '.') return false;
    if (!platform::isSafeFileName(name) || name.find('\\') != std::string_view::npos) return false;
    for (std::string_view rest = name; !rest.empty();) {
        char32_t c = 0;
        const std::size_t length = gb18030::decodeUtf8(rest, c);
        if (length == 0 || c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
        rest.remove_prefix(length);
    }
    // The files the application keeps in the documents directory (the
    // database with its journal, WAL, shared-memory and moved-aside copies)
    // and the preferences store's name.
    return !startsWith(name, DBConnection::kDatabaseName) && !startsWith(name, "tovera.prefs");
}

std::optional<std::string> SplashPicture::fileNameOf(std::string_view answer) {
    answer = platform::trim(answer);
    const std::size_t slash = answer.rfind('/');
    std::string_view name = slash == std::string_view::npos ? answer : answer.substr(slash + 1);
    if (!isAcceptableName(name)) return std::nullopt;
    return std::string(name);
}

std::optional<std::string> SplashPicture::storedPicturePath() {
    const std::optional<std::string> name = platform::preferences().string(kPreferenceKey);
    if (!name || !isAcceptableName(*name)) return std::nullopt;
    std::string path = DSTovera::filePath(*name);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

bool SplashPicture::looksWhole(std::string_view bytes) {
    constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
    // The IEND chunk: its name and the fixed CRC of an empty chunk.
    constexpr std::string_view kPngEnd("IEND\xae\x42\x60\x82", 8);
    constexpr std::string_view kJpegStart("\xff\xd8", 2);
    constexpr std::string_view kJpegEnd("\xff\xd9", 2);
    const auto endsWith = [bytes](std::string_view tail) {
        return bytes.size() >= tail.size() && bytes.substr(bytes.size() - tail.size()) == tail;
    };
    if (startsWith(bytes, kPngSignature)) return endsWith(kPngEnd);
    if (startsWith(bytes, kJpegStart)) return endsWith(kJpegEnd);
    return false;
}

SplashPicture::Outcome SplashPicture::refresh(std::chrono::milliseconds timeOut,
                                              const PictureCheck& isWhole) {
    platform::logLine("LOAD");
    const std::optional<std::string> body =
        fetchBody(serviceSettings().toveraHttpRequestDomain() + std::string(kQuery), timeOut);
    if (!body) return Outcome::kNoAnswer;
    const std::optional<std::string> answer = gb18030::toUtf8(*body);
    if (!answer) return Outcome::kNoAnswer;

    const std::optional<std::string> name = fileNameOf(*answer);
    if (!name) {
        platform::logLine("refused splash name  url:" + *answer);
        return Outcome::kRefusedName;
    }
    if (const std::optional<std::string> stored = storedPicturePath();
        stored && platform::preferences().string(kPreferenceKey) == *name) {
        if (isWhole(readFile(*stored))) return Outcome::kCurrent;
        platform::logLine("splash picture damaged, fetching it again:" + *stored);
    }

    const std::optional<std::string> picture =
        fetchBody(std::string(platform::trim(*answer)), timeOut);
    if (!picture || picture->empty()) return Outcome::kDownloadFailed;
    if (!isWhole(*picture)) {
        platform::logLine("refused splash picture  url:" + *answer);
        return Outcome::kNotAPicture;
    }
    const std::string path = DSTovera::filePath(*name);
    if (path.empty() || !writeAtomically(path, *picture)) {
        platform::logLine("update error  splash:" + path);
        return Outcome::kWriteFailed;
    }
    platform::preferences().setString(kPreferenceKey, *name);
    return Outcome::kDownloaded;
}

}  // namespace tovera
