#include "comments/CommentForm.h"

#include "comments/PostReply.h"
#include "core/DSTovera.h"
#include "framework/FaceController.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;

namespace {
constexpr double kFaceButtonSide = 32;
}  // namespace

CommentForm::CommentForm(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("评论"));
    param().setType("8");
    param().setApi("postcomment");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("提交"), BarButtonItem::Style::Bordered, [this] { postComment(); }));
}

void CommentForm::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, 320, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    commentText_ = new platform::ui::TextView(QRectF(10, 10, 300, 150));
    commentText_->setFont(NSUtil::normalFont());
    NavigationStyle::frameTextView(commentText_);
    commentText_->setSubmitOnReturn([this] { postComment(); });
    root->addSubview(commentText_);
    montionBtn_ = new Button(QRectF(10, 165, kFaceButtonSide, kFaceButtonSide));
    montionBtn_->setImage(platform::ui::Image::named(QStringLiteral("face1.png")));
    connect(montionBtn_, &platform::ui::Control::touchUpInside, this,
            [this] { showMontionView(); });
    root->addSubview(montionBtn_);
    setView(root);
}

void CommentForm::viewDidLoad() {
    QXViewController::viewDidLoad();
    connect(&platform::ui::Keyboard::shared(), &platform::ui::Keyboard::didShow, this,
            &CommentForm::keyBoardWasShown);
    view()->bringSubviewToFront(commentText_);
    commentText_->becomeFirstResponder();
}

void CommentForm::viewDidAppear(bool) {
    commentText_->becomeFirstResponder();
}

void CommentForm::keyBoardWasShown(const platform::ui::KeyboardInfo& info) {
    if (!isViewLoaded()) return;
    QRectF button = montionBtn_->frame();
    button.moveBottom(platform::ui::Keyboard::heightAbove(view(), info.frameEnd));
    montionBtn_->setFrame(button);
    QRectF text = commentText_->frame();
    text.setHeight(std::max(0.0, button.top() - text.top()));
    commentText_->setFrame(text);
}

void CommentForm::showMontionView() {
    platform::ui::NavigationController* nav = navigationController();
    if (!nav) return;
    nav->setDelegate(this);
    nav->pushViewController(new FaceController, true);
}

void CommentForm::navigationControllerWillShow(platform::ui::NavigationController*,
                                               platform::ui::ViewController* controller, bool) {
    if (controller != this) return;
    RootScreenServices& root = RootScreenServices::shared();
    const Value face = root.getParam("face");
    if (!face.isString()) return;
    const std::optional<QString> code =
        FaceController::faceCode(QString::fromStdString(*face.string()));
    if (!code) return;  // not a picture name: left for whoever put it there
    // The code goes where the user was writing; the cursor stays after it.
    commentText_->insertText(*code);
    root.removeParam("face");
}

void CommentForm::postComment() {
    PostReply::send(*this, commentText_->text());
}

void CommentForm::didLoad(const Value& reply, QXRequest*) {
    PostReply::finish(*this, reply, true);
}

}  // namespace tovera
