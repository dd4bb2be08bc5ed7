// What both screen bases build for their lists: the 44-point "暂无" label,
// and the clean-up of such views that were never put on screen (they have
// no parent to delete them).
#pragma once

#include <QPointer>

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class ListFooter {
public:
    static constexpr double kHeight = 44;

    /// "暂无", centred, normal font, black on clear, as wide as `width`.
    static platform::ui::Label* noItemLabel(double width);

    /// Deletes `view` unless a superview owns it.
    template <typename T>
    static void deleteIfUnplaced(QPointer<T>& view) {
        if (view && !view->parentWidget()) delete view.data();
    }
};

}  // namespace tovera
