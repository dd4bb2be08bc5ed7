#include "platform/ui/views/Font.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace tovera::platform::ui {

namespace {

QFont sized(QFont font, double size) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QString Font::systemFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* candidate :
             {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"})
            if (families.contains(QString::fromUtf8(candidate)))
                return QString::fromUtf8(candidate);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont Font::system(double size) {
    return sized(QFont(systemFamily()), size);
}

QFont Font::boldSystem(double size) {
    QFont font = system(size);
    font.setBold(true);
    return font;
}

QFont Font::named(const QString& family, double size) {
    if (family.isEmpty() || !QFontDatabase::families().contains(family)) return system(size);
    return sized(QFont(family), size);
}

}  // namespace tovera::platform::ui
