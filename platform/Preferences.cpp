#include "platform/Preferences.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "platform/AppHome.h"
#include "platform/Log.h"

namespace tovera::platform {

// File format, one entry a line, fields separated by a tab:
//   tovera-preferences 1
//   s <key> <text>
//   b <key> 0|1
//   l <key> [<item> ...]      (a tab before every item, so "l key" is an
//                              empty list and "l key <tab>" one empty item)
//   end
// Keys and values escape "\" as "\\", tab as "\t", line feed as "\n" and
// carriage return as "\r". A file without the final "end" line is treated as
// damaged, so a cut-off file is never mistaken for a shorter store.
namespace {

constexpr std::string_view kHeader = "tovera-preferences 1";
constexpr std::string_view kTrailer = "end";

std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return std::nullopt;
        switch (field[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <typename Entries>
bool parse(std::string_view text, Entries& entries) {
    using List = Preferences::List;
    std::size_t pos = 0;
    auto nextLine = [&](std::string_view& line) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) return false;  // every line ends with "\n"
        line = text.substr(pos, end - pos);
        pos = end + 1;
        return true;
    };
    std::string_view line;
    if (!nextLine(line) || line != kHeader) return false;
    while (nextLine(line)) {
        if (line == kTrailer) return pos == text.size();
        const auto fields = splitFields(line);
        if (fields.size() < 2 || fields[0].size() != 1) return false;
        auto key = unescape(fields[1]);
        if (!key) return false;
        switch (fields[0][0]) {
            case 's': {
                auto value = fields.size() == 3 ? unescape(fields[2]) : std::nullopt;
                if (!value) return false;
                entries.insert_or_assign(std::move(*key), std::move(*value));
                break;
            }
            case 'b':
                if (fields.size() != 3 || (fields[2] != "0" && fields[2] != "1")) return false;
                entries.insert_or_assign(std::move(*key), fields[2] == "1");
                break;
            case 'l': {
                List items;
                for (std::size_t i = 2; i < fields.size(); ++i) {
                    auto item = unescape(fields[i]);
                    if (!item) return false;
                    items.push_back(std::move(*item));
                }
                entries.insert_or_assign(std::move(*key), std::move(items));
                break;
            }
            default:
                return false;
        }
    }
    return false;  // no trailer: the file was cut off
}

template <typename Entries>
std::string serialize(const Entries& entries) {
    std::string out(kHeader);
    out += '\n';
    for (const auto& [key, entry] : entries) {
        if (const auto* text = std::get_if<std::string>(&entry)) {
            out += "s\t" + escape(key) + '\t' + escape(*text);
        } else if (const auto* flag = std::get_if<bool>(&entry)) {
            out += "b\t" + escape(key) + (*flag ? "\t1" : "\t0");
        } else {
            out += "l\t" + escape(key);
            for (const auto& item : std::get<Preferences::List>(entry))
                out += '\t' + escape(item);
        }
        out += '\n';
    }
    out += kTrailer;
    out += '\n';
    return out;
}

bool textIsTrue(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t\n");
    if (i == std::string_view::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    while (i < text.size() && text[i] == '0')
        ++i;
    if (i == text.size()) return false;
    const char c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string errnoText() {
    return std::error_code(errno, std::generic_category()).message();
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`, so readers see either the old or the new file.
bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target(path);
    std::string temp =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        logLine("cannot write preferences " + path + ": " + errnoText());
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const std::string failure = ok ? std::string() : errnoText();
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        logLine("cannot write preferences " + path + ": " +
                (failure.empty() ? errnoText() : failure));
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    if (int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

Preferences::Preferences(std::string path) : path_(std::move(path)) {
    load();
}

void Preferences::load() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;  // missing: an empty store
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string text = std::move(buffer).str();
    if (text.empty() || parse(text, entries_)) return;
    entries_.clear();
    std::error_code ec;
    std::filesystem::copy_file(path_, path_ + ".corrupt",
                               std::filesystem::copy_options::overwrite_existing, ec);
    logLine("unreadable preferences " + path_ + " read as empty" +
            (ec ? "" : "; kept as " + path_ + ".corrupt"));
}

bool Preferences::contains(std::string_view key) const {
    std::lock_guard lock(mutex_);
    return entries_.find(key) != entries_.end();
}

std::optional<std::string> Preferences::string(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&it->second)) return *text;
    if (const auto* flag = std::get_if<bool>(&it->second)) return *flag ? "1" : "0";
    return std::nullopt;
}

bool Preferences::boolean(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return false;
    if (const auto* flag = std::get_if<bool>(&it->second)) return *flag;
    if (const auto* text = std::get_if<std::string>(&it->second)) return textIsTrue(*text);
    return false;
}

std::optional<Preferences::List> Preferences::list(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return std::nullopt;
    if (const auto* items = std::get_if<List>(&it->second)) return *items;
    return std::nullopt;
}

void Preferences::setString(std::string_view key, std::string_view value) {
    set(key, std::string(value));
}

void Preferences::setBool(std::string_view key, bool value) {
    set(key, value);
}

void Preferences::setList(std::string_view key, List value) {
    set(key, std::move(value));
}

void Preferences::set(std::string_view key, Entry entry) {
    std::lock_guard lock(mutex_);
    entries_.insert_or_assign(std::string(key), std::move(entry));
    dirty_ = true;
}

void Preferences::remove(std::string_view key) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return;
    entries_.erase(it);
    dirty_ = true;
}

bool Preferences::synchronize() {
    std::lock_guard lock(mutex_);
    if (!dirty_) return true;
    makeDirectories(std::filesystem::path(path_).parent_path().string());
    if (!replaceFileAtomically(path_, serialize(entries_))) return false;
    dirty_ = false;
    return true;
}

Preferences& preferences() {
    static std::mutex mutex;
    static std::unique_ptr<Preferences> current;
    const std::string path =
        (std::filesystem::path(homeDirectory()) / "Library/Preferences/tovera.prefs").string();
    std::lock_guard lock(mutex);
    if (!current || current->path() != path) current = std::make_unique<Preferences>(path);
    return *current;
}

}  // namespace tovera::platform
