#include "platform/ui/views/TextChange.h"

#include <algorithm>

namespace tovera::platform::ui {

TextChange TextChange::between(const QString& before, const QString& after, int cursorAfter) {
    const int oldSize = int(before.size());
    const int newSize = int(after.size());
    // The text after the cursor did not change: the common tail may reach
    // the cursor but not beyond it.
    int maxSuffix = std::min(oldSize, newSize);
    if (cursorAfter >= 0 && cursorAfter <= newSize)
        maxSuffix = std::min(maxSuffix, newSize - cursorAfter);
    int suffix = 0;
    while (suffix < maxSuffix && before[oldSize - 1 - suffix] == after[newSize - 1 - suffix])
        ++suffix;
    const int maxPrefix = std::min(oldSize, newSize) - suffix;
    int prefix = 0;
    while (prefix < maxPrefix && before[prefix] == after[prefix])
        ++prefix;
    return TextChange{prefix, oldSize - prefix - suffix,
                      after.mid(prefix, newSize - prefix - suffix)};
}

QString TextChange::applyTo(const QString& before) const {
    QString out = before;
    out.replace(location, length, replacement);
    return out;
}

}  // namespace tovera::platform::ui
