#include "service/ServiceHooks.h"

namespace tovera::service {

void ServiceHooks::injectFault(std::string path, Fault fault) {
    std::lock_guard lock(mutex_);
    if (fault.count <= 0) {
        faults_.erase(path);
        return;
    }
    faults_[std::move(path)] = std::move(fault);
}

void ServiceHooks::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::optional<Fault> ServiceHooks::takeFault(std::string_view path) {
    std::lock_guard lock(mutex_);
    auto it = faults_.find(path);
    if (it == faults_.end()) it = faults_.find(kAnyPath);
    if (it == faults_.end()) return std::nullopt;
    Fault fault = it->second;
    if (--it->second.count <= 0) faults_.erase(it);
    return fault;
}

void ServiceHooks::record(std::string_view path, RecordedRequest request) {
    std::lock_guard lock(mutex_);
    auto it = requests_.find(path);
    if (it == requests_.end())
        it = requests_.emplace(std::string(path), std::deque<RecordedRequest>{}).first;
    if (!path.starts_with('/')) ++operations_;
    it->second.push_back(std::move(request));
    if (it->second.size() > kKeptRequests) it->second.pop_front();
}

std::size_t ServiceHooks::operationCount() const {
    std::lock_guard lock(mutex_);
    return operations_;
}

std::vector<RecordedRequest> ServiceHooks::requestsTo(std::string_view path) const {
    std::lock_guard lock(mutex_);
    auto it = requests_.find(path);
    if (it == requests_.end()) return {};
    return {it->second.begin(), it->second.end()};
}

}  // namespace tovera::service
