#include "core/QXParam.h"

#include "core/PreferenceKeys.h"
#include "platform/Preferences.h"

namespace tovera {

std::string QXParam::cityid() const {
    if (const Value* v = param_.find("cityid"); v && !v->isNull()) return v->toText();
    return platform::preferences().string(PrefKey::kCityId).value_or("");
}

}  // namespace tovera
