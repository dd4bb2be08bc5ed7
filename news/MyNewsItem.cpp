#include "news/MyNewsItem.h"

#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "news/News.h"
#include "news/NewsList.h"
#include "news/Recomment2Friends.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr QRectF kPicture(20, 33, 66, 59);
constexpr double kBodyTop = 33;
constexpr double kBodyHeight = 59;
// The body starts this far right of the picture and ends this far before
// the cell's right edge.
constexpr double kPictureGap = 10;
constexpr double kRightGap = 5;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

Button* linkButton(const QRectF& frame, int tag, const QFont& font, QWidget* parent) {
    auto* button = new Button(frame, parent);
    button->setTag(tag);
    button->setFont(font);
    button->setTitleColor(NSUtil::click());
    return button;
}

}  // namespace

MyNewsItem::MyNewsItem(QWidget* parent) : CustomCell(QStringLiteral("MyNewsItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    platform::ui::View* content = contentView();

    typeName_ = linkButton(QRectF(10, 5, 80, 24), kCategoryTag, NSUtil::normalFont(), content);
    typeName_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    titleLabel_ = new Label(QRectF(92, 5, kWidth - 92 - kRightGap, 24), content);
    titleLabel_->setFont(NSUtil::normalFont());
    titleLabel_->setTextColor(NSUtil::black());

    imgShow_ = new NetButton(kPicture, content);
    imgShow_->setTag(kPictureTag);
    introText_ =
        new Label(QRectF(kPicture.right() + kPictureGap, kBodyTop, 0, kBodyHeight), content);
    introText_->setNumberOfLines(3);
    introText_->setFont(NSUtil::normalFont());
    introText_->setTextColor(NSUtil::secondcolor());

    user_ = new Label(QRectF(10, 96, 150, 18), content);
    user_->setFont(NSUtil::smallFont());
    user_->setTextColor(NSUtil::secondcolor());
    date_ = new Label(QRectF(160, 96, kWidth - 160 - kRightGap - 5, 18), content);
    date_->setFont(NSUtil::smallFont());
    date_->setTextColor(NSUtil::secondcolor());
    date_->setTextAlignment(Qt::AlignRight);

    recommandBtn_ =
        linkButton(QRectF(150, 116, 70, 22), kRecommendTag, NSUtil::smallFont(), content);
    recommandBtn_->setTitle(QStringLiteral("推荐给好友"));
    comment_ = linkButton(QRectF(230, 116, 80, 22), kCommentTag, NSUtil::smallFont(), content);

    for (Button* button :
         std::initializer_list<Button*>{typeName_, imgShow_, recommandBtn_, comment_})
        connectButton(button);
}

void MyNewsItem::setHost(platform::ui::ViewController* screen) {
    screen_ = screen;
}

void MyNewsItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const int classtype = info.getIntValueForKey("classtype", 1);
    const int id = info.getIntValueForKey("id", 0);

    // A missing caption shows none rather than the previous row's.
    typeName_->setTitle(text(info, "catname"));
    typeName_->titleLabel()->setTag(classtype);
    typeName_->imageView()->setTag(info.getIntValueForKey("cid", 1));
    comment_->setHidden(classtype == kListingKind);

    titleLabel_->setText(text(info, "title"));
    titleLabel_->setTag(id);
    introText_->setText(text(info, "context"));
    user_->setText(QStringLiteral("来自:%1").arg(text(info, "user")));
    date_->setText(text(info, "date"));

    pics_ = info.getStringValueForKey("pics", "");
    QRectF body = introText_->frame();
    if (!pics_.empty()) {
        imgShow_->setHidden(false);
        imgShow_->setImgUrl(pics_);
        imgShow_->load();
        body.setLeft(kPicture.right() + kPictureGap);
    } else {
        imgShow_->setHidden(true);
        imgShow_->setImgUrl("");
        body.setLeft(kPicture.x());
    }
    body.setRight(kWidth - kRightGap);
    introText_->setFrame(body);

    comment_->setTitle(info.contains("comment")
                           ? QStringLiteral("评论(%1)").arg(info.getIntValueForKey("comment", 0))
                           : QStringLiteral("评论"));
    comment_->titleLabel()->setTag(id);
}

void MyNewsItem::btnPressed(Button* button) {
    CustomCell::btnPressed(button);
    switch (button->tag()) {
        case kCategoryTag:
            openCategory();
            break;
        case kRecommendTag:
            recommend();
            break;
        case kCommentTag:
            openComments();
            break;
        case kPictureTag:
            showPicture();
            break;
        default:
            break;
    }
}

void MyNewsItem::openCategory() {
    if (!screen_) return;
    if (typeName_->titleLabel()->tag() == 1) {
        auto* list = new NewsList;
        list->setTitle(typeName_->currentTitle());
        list->param().setType(std::to_string(typeName_->imageView()->tag()));
        Navigator::push(screen_, list);
        return;
    }
    auto* news = new News;
    news->param().setType("2");
    Navigator::push(screen_, news);
}

void MyNewsItem::recommend() {
    auto* picker = new Recomment2Friends;
    picker->param().setType(std::to_string(typeName_->titleLabel()->tag()));
    picker->param().setRid(std::to_string(titleLabel_->tag()));
    Navigator::push(screen_, picker);
}

void MyNewsItem::openComments() {
    const std::string kind = std::to_string(commentKind(typeName_->titleLabel()->tag()));
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setPtype(kind);
    list->param().setType(kind);
    list->param().setRid(std::to_string(comment_->titleLabel()->tag()));
    // Building the screen's view loads the list, with the parameters set above.
    detail->view();
    list->headerView()->setText(titleLabel_->text());
    Navigator::push(screen_, detail);
}

void MyNewsItem::showPicture() {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer || pics_.empty()) return;
    viewer->setPics(pics_);
    viewer->setHidden(false);
}

}  // namespace tovera
