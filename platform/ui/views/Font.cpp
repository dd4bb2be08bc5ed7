#include "platform/ui/views/Font.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <cmath>

namespace tovera::platform::ui {

namespace {

// The colour emoji font (when installed): text fonts have no emoji, and
// without it they would show as empty boxes.
const QString& emojiFamily() {
    static const QString family = [] {
        const QString name = QStringLiteral("Noto Color Emoji");
        return QFontDatabase::families().contains(name) ? name : QString();
    }();
    return family;
}

// `font` with the emoji font after its own family (a family the font
// database knows: one it does not know would be passed over for the next).
QFont withEmoji(QFont font) {
    const QString& emoji = emojiFamily();
    if (emoji.isEmpty() || font.family() == emoji) return font;
    font.setFamilies({font.family(), emoji});
    return font;
}

QFont sized(QFont font, double size) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return withEmoji(font);
}

}  // namespace

void Font::installAsDefault() {
    // Keeps the default size; the platform's default family may carry
    // monochrome emoji, which would be drawn before the colour ones.
    QFont font = QGuiApplication::font();
    font.setFamily(systemFamily());
    QGuiApplication::setFont(withEmoji(font));
}

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
