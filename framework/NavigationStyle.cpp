#include "framework/NavigationStyle.h"

#include <QFontMetricsF>

#include "framework/NSUtil.h"
#include "framework/RootScreenServices.h"
#include "framework/SkinChange.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::EdgeInsets;
using platform::ui::Image;

namespace {

constexpr double kTitleFontSize = 15;
// The back picture points left: its title sits right of the point.
constexpr double kBackPoint = 13;

Image skinned(const char* name, int leftCap) {
    const Image image = NSUtil::skinImage(name);
    return image.isNull() ? image : image.stretchable(leftCap, 0);
}

void measure(Button* button, const QString& title, bool back) {
    const QFontMetricsF metrics(platform::ui::Font::system(kTitleFontSize));
    const QSizeF text = metrics.size(Qt::TextSingleLine, title);
    button->setTitle(title);
    QRectF frame = button->frame();
    frame.setSize(
        QSizeF(std::ceil(text.width()) + (back ? 18 : 10), std::ceil(text.height()) + 10));
    button->setFrame(frame);
}

}  // namespace

BarButtonItem* NavigationStyle::barButtonItem(const QString& title, BarButtonItem::Style style,
                                              std::function<void()> action) {
    const bool plain = style == BarButtonItem::Style::Plain;
    const bool back = !plain;
    auto* button = new Button;
    button->setFont(platform::ui::Font::system(kTitleFontSize));
    button->setTitleColor(Qt::white);
    auto restyle = [button, plain] {
        button->setBackgroundImage(plain ? skinned("top_btn_bg", 6) : skinned("top_back", 14));
    };
    restyle();
    SkinChange::follow(button, restyle);
    button->setContentEdgeInsets(plain ? EdgeInsets{0, 5, 0, 5} : EdgeInsets{0, kBackPoint, 0, 5});
    measure(button, title, back);

    auto* item = new BarButtonItem(button);
    item->setStyle(style);
    item->setTitle(title);
    if (!action) action = [] { RootScreenServices::shared().back(); };
    QObject::connect(button, &platform::ui::Control::touchUpInside, item,
                     [action](platform::ui::Control*) { action(); });
    QObject::connect(item, &BarButtonItem::changed, button, [item, button, back] {
        if (button->currentTitle() != item->title()) measure(button, item->title(), back);
        button->setEnabled(item->isEnabled());
    });
    return item;
}

void NavigationStyle::setBackItem(platform::ui::NavigationItem* item) {
    if (!item) return;
    item->setLeftBarButtonItem(barButtonItem(QStringLiteral("返回"), BarButtonItem::Style::Back));
}

void NavigationStyle::applySkin(platform::ui::NavigationBar* bar) {
    if (!bar) return;
    bar->setBackgroundImage(NSUtil::skinImage("top_bg"));
    // The bar follows later changes too; asked again, it follows them once.
    static constexpr char kFollowing[] = "tovera.followsSkin";
    if (bar->property(kFollowing).toBool()) return;
    bar->setProperty(kFollowing, true);
    SkinChange::follow(bar, [bar] { bar->setBackgroundImage(NSUtil::skinImage("top_bg")); });
}

void NavigationStyle::frameTextView(platform::ui::TextView* textView) {
    if (textView) textView->setBorder(1, QColor(Qt::gray));
}

void NavigationStyle::readOnlyText(platform::ui::TextView* textView) {
    textView->setEditable(false);
    textView->setFont(NSUtil::normalFont());
    textView->setTextColor(NSUtil::black());
    textView->setBackgroundColor(Qt::transparent);
}

double NavigationStyle::readOnlyTextHeight(const QString& text, double width) {
    platform::ui::TextView measure(QRectF(0, 0, width, 40));
    readOnlyText(&measure);
    measure.setText(text);
    return measure.sizeThatFits(QSizeF(width, 0)).height();
}

}  // namespace tovera
