#include "community/TopicDetailItem.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "community/TopicLayout.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 5;
constexpr double kTextWidth = kWidth - 2 * kMargin;
constexpr double kRowHeight = 22;
constexpr double kTextTop = kMargin + kRowHeight + 2;
constexpr double kPictureWidth = 160;
constexpr double kPictureHeight = 120;
constexpr double kBoxPadding = 6;
// The box's background has a pointer in its top 7 points.
constexpr double kBoxTop = 10;
constexpr double kBoxInner = kTextWidth - 2 * kBoxPadding;
constexpr double kSourcePictureSide = 60;

// Where everything of one post goes, from top to bottom; setInfo() places
// the views by it and contentHeight() adds it up.
struct Layout {
    double textHeight = 0;
    double pictureTop = 0;  // 0: no picture
    double boxTop = 0;      // 0: no source box
    double boxTextHeight = 0;
    double boxPictureTop = 0;  // inside the box; 0: no picture
    double boxRowTop = 0;      // inside the box
    double boxHeight = 0;
    double commentTop = 0;
    double height = 0;
};

double textHeight(const QString& value) {
    return value.isEmpty() ? 30 : NavigationStyle::readOnlyTextHeight(value, kTextWidth);
}

Layout postLayout(const Dict& info) {
    Layout l;
    l.textHeight = textHeight(topic::text(info, "text"));
    double y = kTextTop + l.textHeight + 2;
    if (!topic::text(info, "image").isEmpty()) {
        l.pictureTop = y;
        y += kPictureHeight + 4;
    }
    if (const Dict* source = topic::source(info)) {
        l.boxTop = y;
        l.boxTextHeight =
            topic::textHeight(topic::text(*source, "title"), NSUtil::smallFont(), kBoxInner);
        double boxY = kBoxTop + l.boxTextHeight + 2;
        if (!topic::text(*source, "image").isEmpty()) {
            l.boxPictureTop = boxY;
            boxY += kSourcePictureSide + 2;
        }
        l.boxRowTop = boxY;
        l.boxHeight = boxY + 2 * kRowHeight + kBoxPadding;
        y += l.boxHeight + 4;
    }
    l.commentTop = y;
    l.height = y + kRowHeight + kMargin;
    return l;
}

}  // namespace

TopicDetailItem::TopicDetailItem(QWidget* parent)
    : CustomCell(QStringLiteral("TopicDetailItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 80));
    setSelectionStyle(SelectionStyle::None);
    platform::ui::View* content = contentView();
    userBtn_ = topic::linkButton(QRectF(kMargin, kMargin, 180, kRowHeight), content);
    connectButton(userBtn_);
    dateLbl_ = topic::smallLabel(QRectF(190, kMargin, kWidth - 190 - kMargin, kRowHeight), content);
    dateLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    textView_ = new platform::ui::TextView(QRectF(kMargin, kTextTop, kTextWidth, 30), content);
    NavigationStyle::readOnlyText(textView_);
    picture_ = new NetButton(QRectF(10, 0, kPictureWidth, kPictureHeight), content);
    connect(picture_, &platform::ui::Control::touchUpInside, this,
            [this] { topic::showPicture(picture_); });

    sourceView_ = new platform::ui::View(QRectF(kMargin, 0, kTextWidth, 60), content);
    topic::sourceBackground(sourceView_, 10);
    sourceLbl_ = new Label(QRectF(kBoxPadding, kBoxTop, kBoxInner, kRowHeight), sourceView_);
    sourceLbl_->setNumberOfLines(0);
    sourceLbl_->setFont(NSUtil::smallFont());
    sourceLbl_->setTextColor(NSUtil::black());
    sourceLbl_->setTag(kSourceText);
    sourcePicture_ =
        new NetButton(QRectF(kBoxPadding, 0, kSourcePictureSide, kSourcePictureSide), sourceView_);
    sourcePicture_->setTag(kSourcePicture);
    connect(sourcePicture_, &platform::ui::Control::touchUpInside, this,
            [this] { topic::showPicture(sourcePicture_); });
    sourceUser_ = topic::linkButton(QRectF(kBoxPadding, 0, 140, kRowHeight), sourceView_);
    sourceUser_->setTag(kSourceUser);
    connectButton(sourceUser_);
    sourceDate_ = topic::smallLabel(QRectF(150, 0, kBoxInner - 144, kRowHeight), sourceView_);
    sourceDate_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sourceDate_->setTag(kSourceDate);
    sourceReplies_ = topic::smallLabel(QRectF(kBoxPadding, 0, 140, kRowHeight), sourceView_);
    sourceReplies_->setTag(kSourceReplies);
    sourceOpen_ =
        topic::linkButton(QRectF(kTextWidth - kBoxPadding - 90, 0, 90, kRowHeight), sourceView_);
    sourceOpen_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    sourceOpen_->setTitle(QStringLiteral("查看原话题"));
    sourceOpen_->setTag(kSourceOpen);
    connectButton(sourceOpen_);

    commentBtn_ = topic::linkButton(QRectF(kWidth - 100 - kMargin, 0, 100, kRowHeight), content);
    commentBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    connectButton(commentBtn_);
}

double TopicDetailItem::contentHeight(const Dict& info) {
    return postLayout(info).height;
}

void TopicDetailItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const Layout l = postLayout(info);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, l.height)));
    userBtn_->setTitle(topic::text(info, "user"));
    userBtn_->titleLabel()->setTag(info.getIntValueForKey("uid", 0));
    dateLbl_->setText(topic::text(info, "date"));
    const int id = info.getIntValueForKey("id", 0);
    textView_->setTag(id);
    textView_->setFrame(QRectF(kMargin, kTextTop, kTextWidth, l.textHeight));
    textView_->setText(topic::text(info, "text"));
    textView_->editor()->moveCursor(QTextCursor::Start);

    picture_->setHidden(l.pictureTop == 0);
    if (l.pictureTop > 0) {
        picture_->setFrame(QRectF(10, l.pictureTop, kPictureWidth, kPictureHeight));
        picture_->setImgUrl(info.getStringValueForKey("image", ""));
        picture_->load();
    }

    const bool topicRow = tag() == 0;
    const QString count = QString::fromStdString(info.getStringValueForKey("comment", "0"));
    commentBtn_->setTag(topicRow ? kReplyTag : kCommentsTag);
    commentBtn_->setTitle((topicRow ? QStringLiteral("回复(%1)") : QStringLiteral("评论(%1)"))
                              .arg(count.isEmpty() ? QStringLiteral("0") : count));
    commentBtn_->titleLabel()->setTag(id);
    commentBtn_->setFrame(QRectF(kWidth - 100 - kMargin, l.commentTop, 100, kRowHeight));

    const Dict* source = topic::source(info);
    sourceView_->setHidden(!source);
    if (!source) return;
    sourceView_->setFrame(QRectF(kMargin, l.boxTop, kTextWidth, l.boxHeight));
    sourceLbl_->setFrame(QRectF(kBoxPadding, kBoxTop, kBoxInner, l.boxTextHeight));
    sourceLbl_->setText(topic::text(*source, "title"));
    sourcePicture_->setHidden(l.boxPictureTop == 0);
    if (l.boxPictureTop > 0) {
        sourcePicture_->setFrame(
            QRectF(kBoxPadding, l.boxPictureTop, kSourcePictureSide, kSourcePictureSide));
        sourcePicture_->setImgUrl(source->getStringValueForKey("image", ""));
        sourcePicture_->load();
    }
    const double row = l.boxRowTop;
    sourceUser_->setFrame(QRectF(kBoxPadding, row, 140, kRowHeight));
    sourceUser_->setTitle(topic::text(*source, "user"));
    sourceUser_->titleLabel()->setTag(source->getIntValueForKey("uid", 0));
    sourceDate_->setFrame(QRectF(150, row, kBoxInner - 144, kRowHeight));
    sourceDate_->setText(topic::text(*source, "update_at"));
    sourceReplies_->setFrame(QRectF(kBoxPadding, row + kRowHeight, 140, kRowHeight));
    const QString replies = topic::text(*source, "comment");
    sourceReplies_->setText(
        QStringLiteral("回复(%1)").arg(replies.isEmpty() ? QStringLiteral("0") : replies));
    sourceOpen_->setFrame(QRectF(kTextWidth - kBoxPadding - 90, row + kRowHeight, 90, kRowHeight));
    sourceOpen_->titleLabel()->setTag(source->getIntValueForKey("id", 0));
}

void TopicDetailItem::comment() {
    const int id = commentBtn_->titleLabel()->tag();
    if (commentBtn_->tag() == kReplyTag) {
        topic::reply(nullptr, id);
        return;
    }
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setType("5");
    list->param().setPtype("7");
    list->param().setRid(std::to_string(id));
    Navigator::push(nullptr, detail);  // cells open on the application's stack
}

void TopicDetailItem::viewTopic() {
    const int id = sourceOpen_->titleLabel()->tag();
    if (id > 0) Navigator::open(nullptr, Route::toObject(Destination::Topic, std::to_string(id)));
}

void TopicDetailItem::showUserInfo(Button* button) {
    RootScreenServices::shared().showUserInfo(button->titleLabel()->tag());
}

void TopicDetailItem::btnPressed(Button* button) {
    CustomCell::btnPressed(button);
    if (button == commentBtn_)
        comment();
    else if (button == sourceOpen_)
        viewTopic();
    else if (button == userBtn_ || button == sourceUser_)
        showUserInfo(button);
}

}  // namespace tovera
