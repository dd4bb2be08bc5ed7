// One edit of a text, as the should-change hooks of text inputs see it: the
// range of the old text that is replaced and what replaces it (positions in
// UTF-16 code units, as the texts are held).
#pragma once

#include <QString>

namespace tovera::platform::ui {

struct TextChange {
    int location = 0;
    int length = 0;
    QString replacement;

    /// The edit that turns `before` into `after`. `cursorAfter` (when known)
    /// is where the cursor stands after the edit; it decides between equal
    /// candidates, so typing "a" in front of "aaa" is an edit at 0, not at 3.
    static TextChange between(const QString& before, const QString& after, int cursorAfter = -1);
    /// The text `before` with the change applied.
    QString applyTo(const QString& before) const;

    friend bool operator==(const TextChange&, const TextChange&) = default;
};

}  // namespace tovera::platform::ui
