#include "service/CommentKindMemory.h"

namespace tovera::service {

void CommentKindMemory::remember(const std::string& caller, std::int64_t id, int kind) {
    std::lock_guard lock(mutex_);
    if (kinds_.size() >= kCapacity) kinds_.clear();
    kinds_[{caller, id}] = kind;
}

std::optional<int> CommentKindMemory::recall(const std::string& caller, std::int64_t id) const {
    std::lock_guard lock(mutex_);
    auto it = kinds_.find({caller, id});
    if (it == kinds_.end()) return std::nullopt;
    return it->second;
}

}  // namespace tovera::service
