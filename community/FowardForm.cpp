#include "community/FowardForm.h"

#include "community/CommunityText.h"
#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::Button;

namespace {
constexpr double kWidth = 320;
constexpr double kMargin = 10;
constexpr double kOriginalHeight = 54;
// Text and check box stay above the keyboard (216 points of the 416).
}  // namespace

FowardForm::FowardForm(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("转载话题"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("转载"), platform::ui::BarButtonItem::Style::Bordered,
        [this] { postFoward(); }));
}

FowardForm* FowardForm::open(platform::ui::ViewController* from, const QString& original, int id) {
    if (!session().checkLogin()) return nullptr;
    auto* form = new FowardForm;
    form->param().setRid(std::to_string(id));
    form->setOriginal(original);
    return qobject_cast<FowardForm*>(Navigator::push(from, form));
}

void FowardForm::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    originalLbl_ =
        new platform::ui::Label(QRectF(kMargin, 6, kWidth - 2 * kMargin, kOriginalHeight), root);
    originalLbl_->setNumberOfLines(3);
    originalLbl_->setFont(NSUtil::smallFont());
    originalLbl_->setTextColor(NSUtil::secondcolor());
    commentText_ = new platform::ui::TextView(
        QRectF(kMargin, originalLbl_->frame().bottom() + 4, kWidth - 2 * kMargin, 90), root);
    commentText_->setFont(NSUtil::normalFont());
    NavigationStyle::frameTextView(commentText_);
    commentText_->setSubmitOnReturn([this] { postFoward(); });
    fcommentBtn_ = new Button(
        QRectF(kMargin, commentText_->frame().bottom() + 8, kWidth - 2 * kMargin, 30), root);
    fcommentBtn_->setTitle(QStringLiteral("同时回复给原话题"));
    fcommentBtn_->setFont(NSUtil::normalFont());
    fcommentBtn_->setTitleColor(NSUtil::black());
    fcommentBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    fcommentBtn_->setImage(platform::ui::Image::named(QStringLiteral("form_checkbox")));
    fcommentBtn_->setImage(platform::ui::Image::named(QStringLiteral("form_checkbox_checked")),
                           Button::Selected);
    connect(fcommentBtn_, &platform::ui::Control::touchUpInside, this, [this] { fowardComment(); });
    setView(root);
    setOriginal(original_);
}

void FowardForm::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    commentText_->becomeFirstResponder();
}

void FowardForm::setOriginal(const QString& original) {
    original_ = original;
    if (originalLbl_) originalLbl_->setText(QStringLiteral("转载:%1").arg(original));
}

void FowardForm::fowardComment() {
    fcommentBtn_->setSelected(!fcommentBtn_->isSelected());
}

void FowardForm::postFoward() {
    const QString info = commentText_->text();
    if (info.trimmed().isEmpty()) {
        NSUtil::makeText("您还没有输入转载理由").show();
        return;
    }
    param().setString(info.toStdString(), "info");
    param().setUid(session().userId().value_or("0"));
    param().setString(fcommentBtn_->isSelected() ? "1" : "0", "comment");
    QXViewController::reloadData();
    session().userFoward(param().param(), this);
}

void FowardForm::didLoad(const Value& reply, QXRequest*) {
    NSUtil::makeText(reply.getStringValueForKey("msg", "转载成功")).show();
    flagScreenBeneath(this);
    popScreen(this);
}

}  // namespace tovera
