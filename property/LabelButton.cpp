#include "property/LabelButton.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {
constexpr double kMargin = 10;
constexpr double kLabelWidth = 60;
}  // namespace

LabelButton::LabelButton(const QString& name, double width, QWidget* parent)
    : View(QRectF(0, 0, width, kHeight), parent), name_(name) {
    lbl_ = new Label(QRectF(kMargin, 0, kLabelWidth, kHeight), this);
    lbl_->setText(QStringLiteral("%1:").arg(name));
    lbl_->setFont(NSUtil::normalFont());
    lbl_->setTextColor(NSUtil::black());

    const double left = kMargin + kLabelWidth + 5;
    btn_ = new Button(QRectF(left, 2, width - left - kMargin, kHeight - 4), this);
    btn_->setBackgroundColor(Qt::white);
    btn_->setFont(NSUtil::normalFont());
    btn_->setTitleColor(NSUtil::black());
    btn_->setBorder(1, NSUtil::secondcolor());
    btn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    btn_->setContentEdgeInsets({0, 6, 0, 6});
    choose(QStringLiteral("不限"), 0);
}

int LabelButton::value() const {
    return btn_->titleLabel()->tag();
}

void LabelButton::choose(const QString& title, int value) {
    btn_->setTitle(title);
    btn_->titleLabel()->setTag(value);
}

QString LabelButton::chosenTitle() const {
    return btn_->currentTitle();
}

}  // namespace tovera
