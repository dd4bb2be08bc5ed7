#include "community/TopicLayout.h"

#include "core/DSTovera.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/QXViewController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera::topic {

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

double textHeight(const QString& value, const QFont& font, double width) {
    platform::ui::Label measure(QRectF(0, 0, width, 20));
    measure.setFont(font);
    measure.setNumberOfLines(0);
    measure.setText(value.isEmpty() ? QStringLiteral(" ") : value);
    return measure.sizeThatFits(QSizeF(width, 0)).height();
}

platform::ui::Button* linkButton(const QRectF& frame, platform::ui::View* parent) {
    auto* button = new platform::ui::Button(frame, parent);
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(NSUtil::click());
    button->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    return button;
}

platform::ui::Label* smallLabel(const QRectF& frame, platform::ui::View* parent) {
    auto* label = new platform::ui::Label(frame, parent);
    label->setFont(NSUtil::smallFont());
    label->setTextColor(NSUtil::secondcolor());
    return label;
}

const Dict* source(const Dict& info) {
    const Value* reprs = info.find("reprs");
    if (!reprs || !reprs->isArray() || reprs->items().empty()) return nullptr;
    return reprs->items().front().dict();
}

platform::ui::ImageView* sourceBackground(platform::ui::View* parent, int leftCap) {
    auto* background = new platform::ui::ImageView(
        platform::ui::Image::named(QStringLiteral("wb_bg_originalfeed.png"))
            .stretchable(leftCap, 7),
        parent);
    background->setAutoresizingMask(platform::ui::View::FlexibleSize);
    background->setFrame(parent->bounds());
    background->lower();
    return background;
}

void showPicture(NetButton* picture) {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer || !picture || picture->imgurlArray().empty()) return;
    viewer->setPicsArray(picture->imgurlArray());
    viewer->setHidden(false);
}

void reply(platform::ui::ViewController* from, int id) {
    if (!QXViewController::session().checkLogin()) return;
    Route form{Destination::AskForm, {}, QStringLiteral("回复话题")};
    form.param.setType("8");
    form.param.setPtype("5");
    form.param.setRid(std::to_string(id));
    Navigator::open(from, form);
}

}  // namespace tovera::topic
