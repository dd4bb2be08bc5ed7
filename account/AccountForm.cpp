#include "account/AccountForm.h"

#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/Switch.h"
#include "platform/ui/views/TextField.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::Switch;
using platform::ui::TextField;
using platform::ui::View;

namespace {

constexpr double kLeft = 16;
constexpr double kCaptionWidth = 80;
constexpr double kFieldLeft = kLeft + kCaptionWidth;
constexpr double kFieldWidth = 320 - kFieldLeft - kLeft;
constexpr double kHalfRow = 152;
constexpr double kSwitchCaptionWidth = 60;
constexpr double kSwitchGap = 4;

void addCaption(View* parent, double left, double top, double width, const QString& caption) {
    auto* label = new Label(QRectF(left, top, width, AccountForm::kRowHeight));
    label->setText(caption);
    label->setFont(NSUtil::normalFont());
    label->setTextColor(NSUtil::black());
    parent->addSubview(label);
}

}  // namespace

ScrollView* AccountForm::scrollForm(View*& root) {
    root = new View(QRectF(0, 0, 320, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    auto* scroll = new ScrollView(root->bounds());
    root->addSubview(scroll);
    scroll->setContentSize(scroll->bounds().size());
    return scroll;
}

TextField* AccountForm::addField(View* parent, int row, const QString& caption, bool secure) {
    const double top = rowTop(row);
    addCaption(parent, kLeft, top, kCaptionWidth, caption);
    auto* field = new TextField(QRectF(kFieldLeft, top, kFieldWidth, kRowHeight));
    field->setBorderStyle(TextField::BorderStyle::RoundedRect);
    field->setFont(NSUtil::normalFont());
    field->setSecureTextEntry(secure);
    parent->addSubview(field);
    return field;
}

Switch* AccountForm::addSwitch(View* parent, int row, int column, const QString& caption) {
    const double top = rowTop(row);
    const double left = kLeft + column * kHalfRow;
    addCaption(parent, left, top, kSwitchCaptionWidth, caption);
    auto* toggle = new Switch;
    toggle->setFrame(
        QRectF(QPointF(left + kSwitchCaptionWidth + kSwitchGap, top + 2), toggle->frame().size()));
    parent->addSubview(toggle);
    return toggle;
}

Button* AccountForm::addButton(View* parent, const QRectF& frame, const QString& title) {
    auto* button = new Button(frame);
    button->setTitle(title);
    button->setFont(NSUtil::bigFont());
    // The title stays readable on a dark skin colour.
    auto restyle = [button] {
        const QColor skin = NSUtil::skinColor();
        button->setBackgroundColor(skin);
        button->setTitleColor(skin.lightness() < 128 ? QColor(Qt::white) : NSUtil::black());
    };
    restyle();
    SkinChange::follow(button, restyle);
    button->setCornerRadius(6);
    parent->addSubview(button);
    return button;
}

}  // namespace tovera
