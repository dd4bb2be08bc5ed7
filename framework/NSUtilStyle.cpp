// NSUtil's named colours, fonts and skin colours.
#include <QColor>
#include <QFont>
#include <QString>

#include <cctype>

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/Text.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

namespace tovera {

namespace {

int hexPair(std::string_view text, std::size_t at) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    const int high = digit(text[at]);
    const int low = digit(text[at + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

QFont sizedFont(std::string_view fontName, double size) {
    return platform::ui::Font::named(
        QString::fromUtf8(fontName.data(), static_cast<qsizetype>(fontName.size())), size);
}

}  // namespace

QColor NSUtil::getColor(std::string_view rrggbb) {
    if (rrggbb.size() != 6) return QColor(Qt::black);
    const int r = hexPair(rrggbb, 0);
    const int g = hexPair(rrggbb, 2);
    const int b = hexPair(rrggbb, 4);
    if (r < 0 || g < 0 || b < 0) return QColor(Qt::black);
    return QColor::fromRgbF(float(r / 255.0), float(g / 255.0), float(b / 255.0), 1.0f);
}

QColor NSUtil::click() {
    return getColor("364B61");
}
QColor NSUtil::gold() {
    return getColor("B89766");
}
QColor NSUtil::black() {
    return getColor("000000");
}
QColor NSUtil::listview_item() {
    return getColor("ECECEF");
}
QColor NSUtil::bluecolor() {
    return getColor("0000FF");
}
QColor NSUtil::redcolor() {
    return getColor("CD0000");
}
QColor NSUtil::secondcolor() {
    return getColor("737373");
}

QFont NSUtil::smallFont(std::string_view fontName) {
    return sizedFont(fontName, 13);
}
QFont NSUtil::normalFont(std::string_view fontName) {
    return sizedFont(fontName, 15);
}
QFont NSUtil::bigFont(std::string_view fontName) {
    return sizedFont(fontName, 17);
}

QColor NSUtil::skinColor(std::string_view skin) {
    const std::string name = skinName(skin);
    if (platform::equalsIgnoringCase(name, "black")) return getColor("303032");
    if (platform::equalsIgnoringCase(name, "default")) return getColor("9CC5F0");
    return getColor("EFC69C");
}

platform::ui::View* NSUtil::skinSelectionView() {
    return skinSelectionView(QRectF(0, 0, 320, 44));
}

platform::ui::View* NSUtil::skinSelectionView(const QRectF& frame) {
    auto* selected = new platform::ui::View(frame);
    selected->setBackgroundColor(skinColor());
    SkinChange::follow(selected, [selected] { selected->setBackgroundColor(skinColor()); });
    return selected;
}

platform::ui::TabBarItem* NSUtil::skinTabItem(const QString& title, std::string_view icon,
                                              int tag) {
    auto* item = new platform::ui::TabBarItem(title, skinImage(icon), tag);
    SkinChange::follow(item, [item, icon = std::string(icon)] { item->setImage(skinImage(icon)); });
    return item;
}

void NSUtil::skinTabButton(platform::ui::Button* button) {
    using platform::ui::Button;
    auto restyle = [button] {
        const platform::ui::Image selected = skinImage("top_tab_on_bg");
        for (unsigned state :
             {unsigned(Button::Selected), Button::Selected | Button::Highlighted}) {
            button->setTitleColor(Qt::white, state);
            button->setBackgroundImage(selected, state);
        }
    };
    restyle();
    SkinChange::follow(button, restyle);
}

platform::ui::Image NSUtil::skinImage(std::string_view image) {
    return platform::ui::Image::named(QString::fromStdString(skin({}, image)));
}

}  // namespace tovera
