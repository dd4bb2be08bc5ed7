// Remembers, per caller and object id, the kind of the caller's latest
// comment-list request, so that a comment posted without "ptype" lands on
// the object the caller was looking at.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace tovera::service {

class CommentKindMemory {
public:
    void remember(const std::string& caller, std::int64_t id, int kind);
    std::optional<int> recall(const std::string& caller, std::int64_t id) const;

private:
    // Bounded: a long-running service forgets everything once it is full.
    static constexpr std::size_t kCapacity = 20000;

    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::int64_t>, int> kinds_;
};

}  // namespace tovera::service
