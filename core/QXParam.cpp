#include "core/QXParam.h"

#include "platform/Preferences.h"

namespace tovera {

std::string QXParam::cityid() const {
    if (const Value* v = param_.find("cityid"); v && !v->isNull()) return v->toText();
    return platform::preferences().string("cityid").value_or("");
}

}  // namespace tovera
