// The system fonts of the toolkit, sized in points (one point is one logical
// pixel of the window; the window's scale turns it into device pixels).
// Every font falls back to the colour emoji font for what its own family
// lacks.
#pragma once

#include <QFont>
#include <QString>

namespace tovera::platform::ui {

class Font {
public:
    static QFont system(double size);
    static QFont boldSystem(double size);
    /// A named font at a size; the system font when the family is unknown.
    static QFont named(const QString& family, double size);
    /// The family used for the system font (a CJK sans-serif when installed).
    static QString systemFamily();
    /// Makes the system family, with its emoji fallback, the application's
    /// default font: the font of widgets and HTML text that name none.
    static void installAsDefault();
};

}  // namespace tovera::platform::ui
