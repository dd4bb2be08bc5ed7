#include "community/TopicItem.h"

#include "community/FowardForm.h"
#include "community/TopicLayout.h"
#include "framework/NSUtil.h"
#include "framework/NetButton.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 8;
constexpr double kTextWidth = kWidth - 2 * kMargin;
constexpr double kRowHeight = 22;
constexpr double kPictureWidth = 120;
constexpr double kPictureHeight = 90;
constexpr double kBoxPadding = 6;
// The box's background has a pointer in its top 7 points.
constexpr double kBoxTop = 10;
constexpr double kSourcePictureSide = 60;

// Where everything of one topic goes, from top to bottom; setInfo() places
// the views by it and contentHeight() adds it up.
struct Layout {
    double textHeight = 0;
    double pictureTop = 0;  // 0: no picture
    double rowsTop = 0;
    double boxTop = 0;  // 0: no source box
    double boxTextHeight = 0;
    double boxPictureTop = 0;  // inside the box; 0: no picture
    double boxHeight = 0;
    double height = 0;
};

QString sourceText(const Dict& source) {
    return QStringLiteral("%1:%2").arg(topic::text(source, "user"), topic::text(source, "title"));
}

Layout postLayout(const Dict& info) {
    Layout l;
    double y = 6;
    l.textHeight = topic::textHeight(topic::text(info, "title"), NSUtil::normalFont(), kTextWidth);
    y += l.textHeight + 4;
    if (!topic::text(info, "image").isEmpty()) {
        l.pictureTop = y;
        y += kPictureHeight + 4;
    }
    l.rowsTop = y;
    y += 2 * kRowHeight + 2;
    if (const Dict* source = topic::source(info)) {
        l.boxTop = y;
        const double inner = kTextWidth - 2 * kBoxPadding;
        l.boxTextHeight = topic::textHeight(sourceText(*source), NSUtil::smallFont(), inner);
        double boxY = kBoxTop + l.boxTextHeight;
        if (!topic::text(*source, "image").isEmpty()) {
            l.boxPictureTop = boxY + 2;
            boxY = l.boxPictureTop + kSourcePictureSide;
        }
        l.boxHeight = boxY + 2 + kBoxPadding;
        y += l.boxHeight;
    }
    l.height = y + 8;
    return l;
}

}  // namespace

TopicItem::TopicItem(QWidget* parent) : CustomCell(QStringLiteral("TopicItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 80));
    platform::ui::View* content = contentView();
    titleLbl_ = new Label(QRectF(kMargin, 6, kTextWidth, kRowHeight), content);
    titleLbl_->setNumberOfLines(0);
    titleLbl_->setFont(NSUtil::normalFont());
    titleLbl_->setTextColor(NSUtil::black());

    picture_ = new NetButton(QRectF(kMargin, 0, kPictureWidth, kPictureHeight), content);
    connect(picture_, &platform::ui::Control::touchUpInside, this,
            [this] { topic::showPicture(picture_); });

    userBtn_ = topic::linkButton(QRectF(kMargin, 0, 150, kRowHeight), content);
    connectButton(userBtn_);
    dateLbl_ = topic::smallLabel(QRectF(160, 0, kWidth - 160 - kMargin, kRowHeight), content);
    dateLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);

    replyBtn_ = topic::linkButton(QRectF(kWidth - 150, 0, 80, kRowHeight), content);
    replyBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    connectButton(replyBtn_);
    fowardBtn_ = topic::linkButton(QRectF(kWidth - 64, 0, 56, kRowHeight), content);
    fowardBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    fowardBtn_->setTitle(QStringLiteral("转载"));
    connectButton(fowardBtn_);

    sourceView_ = new platform::ui::View(QRectF(kMargin, 0, kTextWidth, 40), content);
    topic::sourceBackground(sourceView_, 9);
    sourceLbl_ = new Label(QRectF(kBoxPadding, kBoxTop, kTextWidth - 2 * kBoxPadding, kRowHeight),
                           sourceView_);
    sourceLbl_->setNumberOfLines(0);
    sourceLbl_->setFont(NSUtil::smallFont());
    sourceLbl_->setTextColor(NSUtil::black());
    sourcePicture_ =
        new NetButton(QRectF(kBoxPadding, 0, kSourcePictureSide, kSourcePictureSide), sourceView_);
    connect(sourcePicture_, &platform::ui::Control::touchUpInside, this,
            [this] { topic::showPicture(sourcePicture_); });
}

double TopicItem::contentHeight(const Dict& info) {
    return postLayout(info).height;
}

void TopicItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const Layout l = postLayout(info);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, l.height)));
    titleLbl_->setFrame(QRectF(kMargin, 6, kTextWidth, l.textHeight));
    titleLbl_->setText(topic::text(info, "title"));

    picture_->setHidden(l.pictureTop == 0);
    if (l.pictureTop > 0) {
        picture_->setFrame(QRectF(kMargin, l.pictureTop, kPictureWidth, kPictureHeight));
        picture_->setImgUrl(info.getStringValueForKey("image", ""));
        picture_->load();
    }

    const int id = info.getIntValueForKey("id", 0);
    userBtn_->setFrame(QRectF(kMargin, l.rowsTop, 150, kRowHeight));
    userBtn_->setTitle(topic::text(info, "user"));
    userBtn_->titleLabel()->setTag(info.getIntValueForKey("uid", 0));
    dateLbl_->setFrame(QRectF(160, l.rowsTop, kWidth - 160 - kMargin, kRowHeight));
    dateLbl_->setText(topic::text(info, "update_at"));
    const double buttonsTop = l.rowsTop + kRowHeight;
    replyBtn_->setFrame(QRectF(kWidth - 150, buttonsTop, 80, kRowHeight));
    replyBtn_->setTitle(QStringLiteral("回复(%1)").arg(topic::text(info, "comment")));
    replyBtn_->setTag(id);
    fowardBtn_->setFrame(QRectF(kWidth - 64, buttonsTop, 56, kRowHeight));
    fowardBtn_->setTag(id);

    const Dict* source = topic::source(info);
    sourceView_->setHidden(!source);
    if (!source) return;
    sourceView_->setFrame(QRectF(kMargin, l.boxTop, kTextWidth, l.boxHeight));
    sourceLbl_->setFrame(
        QRectF(kBoxPadding, kBoxTop, kTextWidth - 2 * kBoxPadding, l.boxTextHeight));
    sourceLbl_->setText(sourceText(*source));
    sourcePicture_->setHidden(l.boxPictureTop == 0);
    if (l.boxPictureTop > 0) {
        sourcePicture_->setFrame(
            QRectF(kBoxPadding, l.boxPictureTop, kSourcePictureSide, kSourcePictureSide));
        sourcePicture_->setImgUrl(source->getStringValueForKey("image", ""));
        sourcePicture_->load();
    }
}

void TopicItem::replyTopic() {
    topic::reply(nullptr, replyBtn_->tag());
}

void TopicItem::foward() {
    FowardForm::open(nullptr, titleLbl_->text(), fowardBtn_->tag());
}

void TopicItem::showUser() {
    RootScreenServices::shared().showUserInfo(userBtn_->titleLabel()->tag());
}

void TopicItem::btnPressed(Button* button) {
    CustomCell::btnPressed(button);
    if (button == replyBtn_)
        replyTopic();
    else if (button == fowardBtn_)
        foward();
    else if (button == userBtn_)
        showUser();
}

}  // namespace tovera
