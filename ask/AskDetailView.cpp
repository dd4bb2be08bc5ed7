#include "ask/AskDetailView.h"

#include "ask/AskReply.h"
#include "framework/ImageTitle.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::TextView;

namespace {

constexpr double kMargin = 5;
constexpr double kRowHeight = 30;
constexpr double kTitleHeight = 21;
constexpr double kPictureSide = 60;
constexpr double kProvisionalListHeight = 800;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

AskDetailView::AskDetailView(const QRectF& frame, QWidget* parent) : ScrollView(frame, parent) {
    setAlwaysBounceVertical(true);
}

Button* AskDetailView::linkButton(const QRectF& frame, const QString& title, int tag, int id) {
    auto* button = new Button(frame, mainView_);
    button->setTitle(title);
    button->setTitleColor(NSUtil::click());
    button->setFont(tag == kHouseTag ? NSUtil::normalFont() : NSUtil::smallFont());
    button->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    button->setTag(tag);
    button->titleLabel()->setTag(id);
    connect(button, &platform::ui::Control::touchUpInside, this,
            [this, button] { btnPressed(button); });
    return button;
}

double AskDetailView::textRow(double y, const QString& value, Qt::Alignment alignment) {
    const double width = bounds().width() - 2 * kMargin;
    const double height = NavigationStyle::readOnlyTextHeight(value, width) + 10;
    auto* view = new TextView(QRectF(kMargin, y, width, height), mainView_);
    NavigationStyle::readOnlyText(view);
    view->setTextAlignment(alignment);
    view->setText(value);
    return y + height;
}

double AskDetailView::answerSection(double y, const QString& header, const QString& value,
                                    const QString& name, int tag, int id, const QString& date) {
    auto* strip = new ImageTitle(QRectF(0, y, bounds().width(), ImageTitle::kHeight), header);
    mainView_->addSubview(strip);
    y = textRow(y + ImageTitle::kHeight, value, Qt::AlignLeft);
    if (name.isEmpty()) return y;
    linkButton(QRectF(kMargin, y, 80, kRowHeight), name, tag, id);
    auto* when = new Label(QRectF(kMargin + 85, y, bounds().width() - 95, kRowHeight), mainView_);
    when->setFont(NSUtil::smallFont());
    when->setTextColor(NSUtil::secondcolor());
    when->setText(date);
    return y + kRowHeight;
}

void AskDetailView::setInfo(const Dict& info) {
    if (mainView_) mainView_->deleteLater();
    mainView_ = new platform::ui::View(QRectF(0, 0, bounds().width(), bounds().height()));
    mainView_->setBackgroundColor(Qt::transparent);
    addSubview(mainView_);
    const double width = bounds().width() - 2 * kMargin;
    double y = kMargin;

    if (const int hid = info.getIntValueForKey("hid", 0); hid > 0) {
        linkButton(QRectF(kMargin, y, width, kRowHeight), QStringLiteral("楼盘"), kHouseTag, hid);
        y += kRowHeight;
    }
    if (const QString title = text(info, "title"); !title.isEmpty()) {
        auto* label = new Label(QRectF(kMargin, y, width, kTitleHeight), mainView_);
        label->setTextAlignment(Qt::AlignCenter);
        label->setTextColor(NSUtil::black());
        label->setFont(NSUtil::normalFont());
        label->setText(title);
        y += kTitleHeight;
    }
    if (const QString user = text(info, "user"); !user.isEmpty()) {
        linkButton(QRectF(kMargin, y, 80, kRowHeight), user, kUserTag,
                   info.getIntValueForKey("uid", 0));
        if (const QString date = text(info, "start_date"); !date.isEmpty()) {
            auto* when = new Label(QRectF(kMargin + 85, y, width - 85, kRowHeight), mainView_);
            when->setFont(NSUtil::smallFont());
            when->setTextColor(NSUtil::secondcolor());
            when->setText(date);
        }
        y += kRowHeight;
    }
    if (const QString body = text(info, "text"); !body.isEmpty())
        y = textRow(y, body, Qt::AlignCenter);
    imgArray_.clear();
    if (const std::string image = info.getStringValueForKey("image", ""); !image.empty()) {
        for (std::string& address : NSUtil::explode(image, "|"))
            if (!address.empty()) imgArray_.push_back(std::move(address));
        picture_ = new NetButton(QRectF(10, y, kPictureSide, kPictureSide), mainView_);
        if (!imgArray_.empty()) picture_->setImgUrl(imgArray_.front());
        picture_->load();
        connect(picture_, &platform::ui::Control::touchUpInside, this, [this] { showBig(); });
        y += kPictureSide + kMargin;
    }
    if (const QString service = text(info, "servictext"); !service.isEmpty())
        y = answerSection(y, QStringLiteral("客服答案"), service, text(info, "servicname"), 0, 0,
                          text(info, "servicedate"));
    if (const QString best = text(info, "besttext"); !best.isEmpty())
        y = answerSection(y, QStringLiteral("最佳答案"), best, text(info, "bestname"), kUserTag,
                          info.getIntValueForKey("bestid", 0), text(info, "bestdate"));

    askReply_ = new AskReply(QRectF(0, y, bounds().width(), kProvisionalListHeight));
    askReply_->tableView()->setTableHeaderView(new ImageTitle(
        QRectF(0, 0, bounds().width(), ImageTitle::kHeight), QStringLiteral("其他答案")));
    askReply_->setDelegate(this);
    askReply_->param().setRid(info.getStringValueForKey("id", "0"));
    askReply_->param().setType("2");
    askReply_->param().setString(info.getStringValueForKey("closed", "0"), "closed");
    askReply_->param().setUid(info.getStringValueForKey("uid", "0"));
    mainView_->addSubview(askReply_);
    qxView(askReply_, nullptr);
    mainView_->show();
    askReply_->reloadData();
}

void AskDetailView::updateReply() {
    if (askReply_) askReply_->reloadData();
}

void AskDetailView::showBig() {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer || imgArray_.empty()) return;
    viewer->setPicsArray(imgArray_);
    viewer->setIdx(0);
    viewer->setHidden(false);
}

void AskDetailView::btnPressed(Button* button) {
    const int id = button->titleLabel()->tag();
    if (button->tag() == kHouseTag)
        Navigator::open(nullptr, Route::toObject(Destination::Project, std::to_string(id)));
    else if (button->tag() == kUserTag)
        RootScreenServices::shared().showUserInfo(id);
}

void AskDetailView::qxView(platform::ui::View* view, Button*) {
    if (!askReply_ || view != askReply_) return;
    const double bottom = askReply_->frame().bottom() + 10;
    setContentSize(QSizeF(bounds().width(), bottom));
    mainView_->setFrame(QRectF(0, 0, bounds().width(), std::max(bottom, bounds().height())));
}

}  // namespace tovera
