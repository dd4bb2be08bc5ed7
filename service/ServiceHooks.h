// Test controls of the service: faults injected per path for the next N
// requests, and a record of the decoded requests each path received. Never
// triggered by a request parameter; thread-safe.
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"
#include "service/RequestDecoding.h"

namespace tovera::service {

struct Fault {
    enum class Kind {
        kDelay,      // answer normally after `delay`
        kDrop,       // close the connection without a complete answer
        kGarbage,    // answer bytes that are not JSON
        kErrorCode,  // answer {"error_code": errorCode, "msg": msg}
        kRefusal,    // answer {"error_code":200, "code":1, "msg": msg}
        kArray,      // answer a JSON list where an object is expected
    };
    Kind kind = Kind::kRefusal;
    /// How many of the next requests of the path get the fault.
    int count = 1;
    std::chrono::milliseconds delay{0};
    int errorCode = 500;
    std::string msg = "操作失败";
};

/// One request as the service decoded it.
struct RecordedRequest {
    std::string method;
    Dict params;
    Pictures pictures;
};

class ServiceHooks {
public:
    /// The wildcard path: a fault for every path.
    static constexpr std::string_view kAnyPath = "*";

    /// `path` is an operation path below /api/phone/ ("news/sort.aspx"), any
    /// other URL path ("/maps/geo"), or kAnyPath.
    void injectFault(std::string path, Fault fault);
    void clearFaults();
    /// Takes one use of the fault for `path` (a path's own fault first).
    std::optional<Fault> takeFault(std::string_view path);

    void record(std::string_view path, RecordedRequest request);
    /// The requests `path` received, oldest first (the latest 64 are kept).
    std::vector<RecordedRequest> requestsTo(std::string_view path) const;
    /// How many operations (paths below /api/phone/) were received in all.
    std::size_t operationCount() const;

private:
    static constexpr std::size_t kKeptRequests = 64;

    mutable std::mutex mutex_;
    std::map<std::string, Fault, std::less<>> faults_;
    std::map<std::string, std::deque<RecordedRequest>, std::less<>> requests_;
    std::size_t operations_ = 0;
};

}  // namespace tovera::service
