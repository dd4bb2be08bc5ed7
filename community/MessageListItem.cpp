#include "community/MessageListItem.h"

#include <QFontMetricsF>

#include "community/CommunityText.h"
#include "community/SendMessage.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kTextLeft = 10;
constexpr double kTextWidth = 300;
constexpr double kTextTop = 54;
constexpr double kButtonRow = 30;

Button* makeButton(const QRectF& frame, QWidget* parent) {
    auto* button = new Button(frame, parent);
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(NSUtil::click());
    return button;
}

double textHeight(const QString& text) {
    if (text.isEmpty()) return 20;
    const QFontMetricsF metrics(NSUtil::normalFont());
    return std::ceil(
        metrics.boundingRect(QRectF(0, 0, kTextWidth, 1e6), Qt::TextWordWrap, text).height() + 4);
}

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

// An integer of the record, `fallback` when the key is missing (a missing
// key would otherwise read 0).
int number(const Dict& info, std::string_view key, int fallback) {
    return info.contains(key) ? info.getIntValueForKey(key, fallback) : fallback;
}

}  // namespace

MessageListItem::MessageListItem(QWidget* parent)
    : CustomCell(QStringLiteral("MessageListItem"), parent) {
    platform::ui::View* content = contentView();
    titleBtn_ = makeButton(QRectF(kTextLeft, 4, kTextWidth, 24), content);
    titleBtn_->setFont(NSUtil::normalFont());
    titleBtn_->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    lBl_ = new Label(QRectF(kTextLeft, 30, 52, 20), content);
    lBl_->setFont(NSUtil::smallFont());
    lBl_->setTextColor(NSUtil::secondcolor());
    nameBtn_ = makeButton(QRectF(62, 30, 140, 20), content);
    nameBtn_->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    dateLbl_ = new Label(QRectF(200, 30, 110, 20), content);
    dateLbl_->setFont(NSUtil::smallFont());
    dateLbl_->setTextColor(NSUtil::secondcolor());
    dateLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    textLbl_ = new Label(QRectF(kTextLeft, kTextTop, kTextWidth, 20), content);
    textLbl_->setFont(NSUtil::normalFont());
    textLbl_->setTextColor(NSUtil::secondcolor());
    textLbl_->setNumberOfLines(0);
    requesterBtn_ = makeButton(QRectF(kTextLeft, kTextTop, 100, 20), content);
    requesterBtn_->setFont(NSUtil::normalFont());
    requesterBtn_->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    requestLbl_ = new Label(QRectF(110, kTextTop, 120, 20), content);
    requestLbl_->setText(QStringLiteral("加您为好友"));
    requestLbl_->setFont(NSUtil::normalFont());
    requestLbl_->setTextColor(NSUtil::secondcolor());
    button0_ = makeButton(QRectF(kTextLeft, 0, 44, 24), content);
    button1_ = makeButton(QRectF(58, 0, 52, 24), content);
    blackBtn_ = makeButton(QRectF(114, 0, 70, 24), content);
    blackBtn_->setTitle(QStringLiteral("加黑名单"));
    button2_ = makeButton(QRectF(266, 0, 44, 24), content);
    button2_->setTitle(QStringLiteral("删除"));
    for (Button* button :
         {titleBtn_, nameBtn_, requesterBtn_, button0_, button1_, button2_, blackBtn_})
        QObject::connect(button, &Button::touchUpInside, this, [this, button] { pressed(button); });
}

double MessageListItem::heightFor(const Value& record) {
    const Dict* fields = record.dict();
    const bool request = fields && number(*fields, "catname", kSystemNotice) == kFriendRequest;
    return kTextTop +
           (request ? 24
                    : textHeight(QString::fromStdString(record.getStringValueForKey("text", "")))) +
           kButtonRow;
}

void MessageListItem::layoutFor(double height) {
    textLbl_->setFrame(QRectF(kTextLeft, kTextTop, kTextWidth, height));
    const double row = kTextTop + height + 2;
    for (Button* button : {button0_, button1_, blackBtn_, button2_}) {
        QRectF frame = button->frame();
        frame.moveTop(row);
        button->setFrame(frame);
    }
    setFrame(QRectF(0, 0, kWidth, row + kButtonRow - 2));
}

void MessageListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    record_ = info;
    const int catname = number(info, "catname", kSystemNotice);
    const bool recommendation = mlType_ != kSentTab && catname == kRecommendation;

    titleBtn_->setTitle(text(info, "title"));
    titleBtn_->setTag(info.getIntValueForKey("id", 0));
    titleBtn_->imageView()->setTag(info.getIntValueForKey("tid", 0));
    titleBtn_->setEnabled(recommendation);
    titleBtn_->setTitleColor(recommendation ? NSUtil::click() : NSUtil::black());
    dateLbl_->setText(text(info, "date"));
    nameBtn_->setTag(info.getIntValueForKey("uid", 0));
    nameBtn_->setEnabled(true);
    requesterBtn_->setHidden(true);
    requestLbl_->setHidden(true);
    textLbl_->setText(text(info, "text"));
    blackBtn_->setHidden(true);
    action0_ = action1_ = Action::None;

    if (mlType_ == kSentTab) {
        lBl_->setText(QStringLiteral("发送给:"));
        nameBtn_->setTag(info.getIntValueForKey("pid", 0));
        nameBtn_->setTitle(shownName(Value(info), "person"));
        button0_->setHidden(true);
        button1_->setHidden(true);
        button2_->setHidden(false);
        layoutFor(textHeight(textLbl_->text()));
        return;
    }
    lBl_->setText(QStringLiteral("发信人:"));
    button2_->setHidden(false);
    nameBtn_->setTitle(shownName(Value(info), "name", "系统"));
    button0_->setHidden(false);
    button1_->setHidden(false);
    double height = textHeight(textLbl_->text());
    switch (catname) {
        case kSystemNotice:
            nameBtn_->setEnabled(false);
            nameBtn_->setTitle(QStringLiteral("系统"));
            button0_->setHidden(true);
            button1_->setHidden(true);
            break;
        case kRecommendation:
            button0_->setHidden(true);
            button1_->setTitle(QStringLiteral("再推荐"));
            button1_->setTag(number(info, "type", 1));
            action1_ = Action::Recommend;
            blackBtn_->setHidden(false);
            break;
        case kFriendRequest:
            nameBtn_->setEnabled(false);
            nameBtn_->setTitle(QStringLiteral("系统"));
            button0_->setTitle(QStringLiteral("同意"));
            button1_->setTitle(QStringLiteral("拒绝"));
            action0_ = Action::Agree;
            action1_ = Action::DisAgree;
            textLbl_->setText(QString());
            requesterBtn_->setTitle(text(info, "name"));
            requesterBtn_->setTag(info.getIntValueForKey("uid", 0));
            requesterBtn_->sizeToFit();
            requesterBtn_->setHidden(false);
            requestLbl_->setFrame(QRectF(requesterBtn_->frame().right() + 4, kTextTop, 120, 20));
            requestLbl_->setHidden(false);
            height = 24;
            break;
        default:
            button0_->setTitle(QStringLiteral("回复"));
            button1_->setTitle(QStringLiteral("转发"));
            action0_ = Action::Reply;
            action1_ = Action::Forward;
            blackBtn_->setHidden(false);
            break;
    }
    layoutFor(height);
}

// ---- Buttons -----------------------------------------------------------------

void MessageListItem::pressed(Button* button) {
    if (button == titleBtn_) return look();
    if (button == nameBtn_ || button == requesterBtn_) return openUser(button->tag());
    if (button == button2_) return deleteMsg();
    if (button == blackBtn_) return set2black();
    switch (button == button0_ ? action0_ : action1_) {
        case Action::Reply:
            return replyMsg();
        case Action::Forward:
            return fowardMsg();
        case Action::Recommend:
            return recommandMsg();
        case Action::Agree:
            return answerRequest(true);
        case Action::DisAgree:
            return answerRequest(false);
        case Action::None:
            break;
    }
}

void MessageListItem::replyMsg() {
    auto* form = new SendMessage;
    form->setTitle(QStringLiteral("回复"));
    // The sender's user name, not the name shown with its remark.
    form->sendTo(text(record_, "name"));
    form->setSubject(QStringLiteral("回复:") + text(record_, "title"));
    Navigator::push(nullptr, form);
}

void MessageListItem::fowardMsg() {
    auto* form = new SendMessage;
    form->setTitle(QStringLiteral("转发"));
    form->setSubject(QStringLiteral("转发:") + text(record_, "title"));
    form->setContent(text(record_, "text"));
    Navigator::push(nullptr, form);
}

std::string MessageListItem::recommendType(int type) {
    if (type == 1) return "2";
    if (type == 2) return "1";
    return std::to_string(type);
}

void MessageListItem::recommandMsg() {
    Route again = Route::toObject(Destination::RecommendToFriends, record_["tid"].toText());
    again.title = QStringLiteral("再推荐给好友");
    again.param.setType(recommendType(number(record_, "type", 1)));
    Navigator::open(nullptr, again);
}

void MessageListItem::look() {
    const std::string tid = record_["tid"].toText();
    Route target = Route::toObject(Destination::Project, tid);
    switch (number(record_, "type", 1)) {
        case 2:
            target = Route::toObject(Destination::Article, tid);
            target.title = QStringLiteral("资讯详情");
            break;
        case 3:
            target = Route::toObject(Destination::Listing, tid);
            target.param.setApi("oldhouse");
            target.title = QStringLiteral("二手房详情");
            break;
        case 4:
            target = Route::toObject(Destination::Listing, tid);
            target.param.setApi("rent");
            target.title = QStringLiteral("租房详情");
            break;
        default:
            target.title = QStringLiteral("新房详情");
            break;
    }
    Navigator::open(nullptr, target);
}

void MessageListItem::openUser(int uid) {
    RootScreenServices::shared().showUserInfo(uid);
}

void MessageListItem::answerRequest(bool agree) {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    const char* operate = agree ? "1" : "2";
    Dict request{{"id", record_["uid"].toText()},
                 {"uid", session->userId().value_or("0")},
                 {"operate", operate},
                 {"code", operate}};
    session->userPass(request, this);
}

void MessageListItem::deleteMsg() {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    Dict request{{"id", record_["id"].toText()}, {"uid", session->userId().value_or("0")}};
    if (mlType_ == kSentTab) {
        request.set("t", "2");
        request.set("type", "2");
    }
    session->userDeletemsg(request, this);
}

void MessageListItem::set2black() {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    Dict request{{"uid", session->userId().value_or("0")},
                 {"api", "operateblack"},
                 {"operate", "1"},
                 {"code", "1"},
                 {"id", record_["uid"].toText()}};
    session->userSetmsg(request, this);
}

void MessageListItem::requestDidLoad(QXRequest*, const Value& reply) {
    switch (ReplyDispatch::code(reply)) {
        case ReplyCode::Accepted:
            NSUtil::makeText(reply.getStringValueForKey("msg", "成功")).show();
            if (reply.getIntValueForKey("code", -1) == 0)
                if (QXViewDelegate* list = delegate()) list->qxView(this, nullptr);
            break;
        default:
            // A refusal, or an answer that does not say the action was taken:
            // no success either way.
            NSUtil::makeText(reply.getStringValueForKey("msg", "操作失败")).show();
            break;
    }
}

void MessageListItem::requestDidFailWithError(QXRequest* request, const Error& error) {
    ReplyDispatch::showFailure(request, error, nullptr);
}

}  // namespace tovera
