#include "platform/Log.h"

#include <array>
#include <cstdio>
#include <iostream>
#include <mutex>

namespace tovera::platform {

namespace {

struct LogState {
    std::mutex mutex;
    std::function<void(std::string_view)> sink;
    std::FILE* file = nullptr;
};

LogState& state() {
    static LogState s;
    return s;
}

constexpr std::array<std::string_view, 4> kSecretKeys = {"access_token", "password", "newprd",
                                                         "oldprd"};

bool isKeyChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

bool isSecretKey(std::string_view key) {
    for (std::string_view secret : kSecretKeys)
        if (key == secret) return true;
    return false;
}

std::string redactCredentials(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    std::size_t i = 0;
    while (i < line.size()) {
        bool redacted = false;
        for (std::string_view key : kSecretKeys) {
            if (line.compare(i, key.size(), key) != 0) continue;
            if (i > 0 && isKeyChar(line[i - 1])) continue;
            std::size_t j = i + key.size();
            if (j < line.size() && isKeyChar(line[j])) continue;
            // Copy the key with its closing quote and the separator.
            std::size_t k = j;
            if (k < line.size() && line[k] == '"') ++k;
            while (k < line.size() && line[k] == ' ')
                ++k;
            if (k >= line.size() || (line[k] != '=' && line[k] != ':')) continue;
            ++k;
            while (k < line.size() && line[k] == ' ')
                ++k;
            out.append(line.substr(i, k - i));
            // Skip the value: a quoted text, or up to a separator.
            if (k < line.size() && line[k] == '"') {
                std::size_t end = k + 1;
                while (end < line.size() && line[end] != '"')
                    end += line[end] == '\\' ? 2 : 1;
                out.append("\"***\"");
                k = std::min(end + 1, line.size());
            } else {
                std::size_t end = k;
                while (end < line.size() && line[end] != '&' && line[end] != ';' &&
                       line[end] != ',' && line[end] != ' ' && line[end] != '\n' &&
                       line[end] != '}')
                    ++end;
                out.append("***");
                k = end;
            }
            i = k;
            redacted = true;
            break;
        }
        if (!redacted) out.push_back(line[i++]);
    }
    return out;
}

void logLine(std::string_view line) {
    const std::string clean = redactCredentials(line);
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (s.sink)
        s.sink(clean);
    else
        std::cerr << clean << '\n';
    if (s.file) {
        std::fwrite(clean.data(), 1, clean.size(), s.file);
        std::fputc('\n', s.file);
        std::fflush(s.file);
    }
}

void setLogFile(const std::string& path) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (s.file) std::fclose(s.file);
    s.file = path.empty() ? nullptr : std::fopen(path.c_str(), "a");
}

void setLogSink(std::function<void(std::string_view)> sink) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.sink = std::move(sink);
}

}  // namespace tovera::platform
