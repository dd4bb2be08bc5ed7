// The user preferences store: text, bool and list-of-text values by key, kept
// in memory and written out explicitly (synchronize) as one file, replaced
// atomically so that a crash never leaves half a file behind.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tovera::platform {

class Preferences {
public:
    using List = std::vector<std::string>;

    /// Reads the store kept in the file at `path`. A missing file reads as
    /// empty; so does an unreadable one, which is then copied beside itself
    /// as "<path>.corrupt" and left in place until the next write-out.
    explicit Preferences(std::string path);

    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    bool contains(std::string_view key) const;
    /// The text under `key`; a bool reads "1" or "0"; a list reads as nothing.
    std::optional<std::string> string(std::string_view key) const;
    /// The bool under `key`; a text is true when it starts with Y, y, T, t or
    /// a digit 1-9 (after blanks, a sign and zeros); missing or a list: false.
    bool boolean(std::string_view key) const;
    /// The list under `key`, or nothing when it holds no list.
    std::optional<List> list(std::string_view key) const;

    void setString(std::string_view key, std::string_view value);
    void setBool(std::string_view key, bool value);
    void setList(std::string_view key, List value);
    void remove(std::string_view key);

    /// Writes the store to its file when anything changed since it was read
    /// or last written. Returns false (keeping the earlier file and the
    /// changes in memory) when the file cannot be written.
    bool synchronize();

    const std::string& path() const { return path_; }

private:
    using Entry = std::variant<std::string, bool, List>;

    void load();
    void set(std::string_view key, Entry entry);

    mutable std::mutex mutex_;
    std::string path_;
    std::map<std::string, Entry, std::less<>> entries_;
    bool dirty_ = false;
};

/// The store of this process: the file "tovera.prefs" in the preferences
/// directory of the current home. When the home changes (tests point it at a
/// temporary one), the next call reads the store of the new home; changes
/// not yet written out to the old one are dropped.
Preferences& preferences();

}  // namespace tovera::platform
