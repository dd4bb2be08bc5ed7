#include "framework/SkinChange.h"

#include "core/PreferenceKeys.h"
#include "platform/Preferences.h"

namespace tovera {

SkinChange& SkinChange::shared() {
    static SkinChange change;
    return change;
}

void SkinChange::choose(std::string_view skin) {
    platform::Preferences& preferences = platform::preferences();
    preferences.setString(PrefKey::kSkin, skin);
    preferences.synchronize();
    emit shared().changed();
}

}  // namespace tovera
