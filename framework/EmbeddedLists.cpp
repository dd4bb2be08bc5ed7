#include "framework/EmbeddedLists.h"

#include <map>

namespace tovera {

namespace {
std::map<EmbeddedList, EmbeddedLists::Builder>& builders() {
    static std::map<EmbeddedList, EmbeddedLists::Builder> registered;
    return registered;
}
}  // namespace

void EmbeddedLists::registerBuilder(EmbeddedList list, Builder builder) {
    builders()[list] = std::move(builder);
}

platform::ui::View* EmbeddedLists::build(EmbeddedList list, const QRectF& frame, QWidget* parent) {
    const auto found = builders().find(list);
    return found == builders().end() || !found->second ? nullptr : found->second(frame, parent);
}

}  // namespace tovera
