// State shared by the JSON reader and writer: the depth limit and the trace
// of error records of the last call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"

namespace tovera {

/// Error domain of the JSON codec.
inline constexpr std::string_view kQXJsonErrorDomain = "QXJsonErrorDomain";

class QXJsonBase {
public:
    /// Deepest nesting of objects and arrays allowed; 0 means unlimited.
    unsigned maxDepth() const { return maxDepth_; }
    void setMaxDepth(unsigned depth) { maxDepth_ = depth; }

    /// The error records of the last call, oldest first; each record after
    /// the first carries the one before it as its underlying error.
    const std::vector<Error>& errorTrace() const { return errorTrace_; }

protected:
    void clearErrorTrace() { errorTrace_.clear(); }
    void addErrorWithCode(int code, std::string description);

    unsigned maxDepth_ = 512;
    unsigned depth_ = 0;

private:
    std::vector<Error> errorTrace_;
};

}  // namespace tovera
