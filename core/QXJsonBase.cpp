#include "core/QXJsonBase.h"

#include <memory>
#include <utility>

namespace tovera {

void QXJsonBase::addErrorWithCode(int code, std::string description) {
    Error error;
    error.domain = std::string(kQXJsonErrorDomain);
    error.code = code;
    error.description = std::move(description);
    if (!errorTrace_.empty()) error.underlying = std::make_shared<const Error>(errorTrace_.back());
    errorTrace_.push_back(std::move(error));
}

bool QXJsonBase::enterLevel() {
    ++depth_;
    if ((maxDepth_ != 0 && depth_ > maxDepth_) || depth_ > kDepthCeiling) {
        addErrorWithCode(kQXJsonErrorDepth, "Nested too deep");
        return false;
    }
    return true;
}

}  // namespace tovera
