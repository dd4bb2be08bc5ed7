#include "news/NewsItem.h"

#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/NetImageView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kMargin = 10;
constexpr double kWidth = 320;
constexpr QRectF kThumbnail(235, 10, 75, 56);
// The labels end this far left of the thumbnail when it is shown.
constexpr double kThumbnailGap = 5;

std::string fontName(const Label* label) {
    return label->font().family().toStdString();
}

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

NewsItem::NewsItem(QWidget* parent) : CustomCell(QStringLiteral("NewsItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    platform::ui::View* content = contentView();

    titleLabel_ = new Label(QRectF(kMargin, 6, kWidth - 2 * kMargin, 22), content);
    titleLabel_->setTextColor(NSUtil::black());

    leadLabel_ = new Label(QRectF(kMargin, 29, kWidth - 2 * kMargin, 36), content);
    leadLabel_->setNumberOfLines(2);
    leadLabel_->setTextColor(NSUtil::secondcolor());

    dateLabel_ = new Label(QRectF(kMargin, 67, kWidth - 2 * kMargin, 18), content);
    dateLabel_->setTextColor(NSUtil::secondcolor());

    thumbnail_ = new NetImageView(kThumbnail, content);
    thumbnail_->setContentMode(platform::ui::ContentMode::ScaleAspectFill);

    cancelBtn_ = new Button(QRectF(kWidth - kMargin - 70, 64, 70, 24), content);
    cancelBtn_->setTitle(QStringLiteral("取消收藏"));
    cancelBtn_->setTitleColor(NSUtil::click());
    cancelBtn_->setFont(NSUtil::smallFont());
    cancelBtn_->setHidden(true);
    connectButton(cancelBtn_);
}

void NewsItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    titleLabel_->setFont(NSUtil::normalFont(fontName(titleLabel_)));
    leadLabel_->setFont(NSUtil::normalFont(fontName(leadLabel_)));
    dateLabel_->setFont(NSUtil::smallFont(fontName(dateLabel_)));

    titleLabel_->setText(text(info, "title"));
    cancelBtn_->titleLabel()->setTag(info.getIntValueForKey("id", 0));
    cancelBtn_->setTag(0);

    const std::string picture = info.getStringValueForKey("pic_sl", "");
    double labelRight = kWidth - kMargin;
    if (!picture.empty()) {
        thumbnail_->setHidden(false);
        thumbnail_->setImgUrl(picture);
        thumbnail_->load();
        labelRight = kThumbnail.x() - kThumbnailGap;
    } else {
        thumbnail_->setHidden(true);
        thumbnail_->setImgUrl("");
    }
    for (Label* label : {titleLabel_, leadLabel_}) {
        QRectF frame = label->frame();
        frame.setWidth(labelRight - frame.x());
        label->setFrame(frame);
    }

    dateLabel_->setText(text(info, "update_at"));
    const bool favourite = info.getIntValueForKey("favorite", 0) == 1;
    if (favourite) {
        dateLabel_->setTextAlignment(Qt::AlignLeft);
        cancelBtn_->setHidden(false);
        contentView()->bringSubviewToFront(cancelBtn_);
        leadLabel_->setText(text(info, "summary"));
    } else {
        dateLabel_->setTextAlignment(Qt::AlignRight);
        cancelBtn_->setHidden(true);
        leadLabel_->setText(text(info, "text"));
    }
}

void NewsItem::btnPressed(Button* button) {
    if (button == cancelBtn_) {
        // A mark the store could not clear stays, and so does its row
        // (favorite() answers true when it failed).
        if (DSTovera::favorite(0, cancelBtn_->titleLabel()->tag())) {
            NSUtil::makeText("操作失败!").show();
            return;
        }
        cancelBtn_->setTag(kCancelled);
    }
    CustomCell::btnPressed(button);
}

}  // namespace tovera
