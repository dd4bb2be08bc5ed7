#include "community/SendMessage.h"

#include "community/CommunityText.h"
#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::TextField;
using platform::ui::TextView;
using platform::ui::View;

namespace {

constexpr double kLeft = 10;
constexpr double kCaption = 50;
constexpr double kRow = 34;

Label* caption(const QString& text, double top, QWidget* parent) {
    auto* label = new Label(QRectF(kLeft, top, kCaption, 30), parent);
    label->setText(text);
    label->setFont(NSUtil::normalFont());
    label->setTextColor(NSUtil::black());
    return label;
}

}  // namespace

SendMessage::SendMessage(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("发送短信"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("提交"), BarButtonItem::Style::Bordered, [this] { postMessage(); }));
}

void SendMessage::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    scrollView_ = new ScrollView(root->bounds(), root);
    scrollView_->setAutoresizingMask(View::FlexibleSize);
    scrollView_->setContentSize(scrollView_->bounds().size());

    caption(QStringLiteral("收件人:"), 10, scrollView_);
    toField_ = new TextField(QRectF(kLeft + kCaption, 10, 200, 30), scrollView_);
    addUser_ = new Button(QRectF(270, 10, 42, 30), scrollView_);
    addUser_->setTitle(QStringLiteral("好友"));
    addUser_->setTitleColor(NSUtil::click());
    addUser_->setFont(NSUtil::normalFont());
    QObject::connect(addUser_, &Button::touchUpInside, this, [this] { addUser(); });
    caption(QStringLiteral("主题:"), 10 + kRow + 6, scrollView_);
    subjectField_ = new TextField(QRectF(kLeft + kCaption, 10 + kRow + 6, 250, 30), scrollView_);
    for (TextField* field : {toField_, subjectField_}) {
        field->setBorderStyle(TextField::BorderStyle::RoundedRect);
        field->setFont(NSUtil::normalFont());
        field->setReturnKeyType(TextField::ReturnKey::Next);
    }
    messageText_ = new TextView(QRectF(kLeft, 10 + 2 * (kRow + 6), 300, 200), scrollView_);
    messageText_->setFont(NSUtil::normalFont());
    messageText_->setBackgroundColor(Qt::white);
    NavigationStyle::frameTextView(messageText_);
    TextField::chainReturns({toField_, subjectField_},
                            [this] { messageText_->becomeFirstResponder(); });
    messageText_->setSubmitOnReturn([this] { postMessage(); });
    new platform::ui::KeyboardRoom(scrollView_);

    toField_->setText(to_);
    subjectField_->setText(subject_);
    messageText_->setText(content_);
    setView(root);
}

void SendMessage::viewWillAppear(bool) {
    RootScreenServices& root = RootScreenServices::shared();
    const std::string users = root.getParam("users").toText();
    if (users.empty()) return;
    toField_->setText(QString::fromStdString(users));
    root.removeParam("users");
}

void SendMessage::sendTo(const QString& name) {
    to_ = name;
    if (toField_) toField_->setText(to_);
}

void SendMessage::setSubject(const QString& subject) {
    subject_ = subject;
    if (subjectField_) subjectField_->setText(subject);
}

void SendMessage::setContent(const QString& content) {
    content_ = content;
    if (messageText_) messageText_->setText(content);
}

void SendMessage::addUser() {
    Route picker{Destination::RecommendToFriends, {}, QStringLiteral("好友列表")};
    picker.param.setApi("userlist");
    Navigator::open(this, picker);
}

void SendMessage::postMessage() {
    view();
    if (toField_->text().isEmpty()) {
        toField_->becomeFirstResponder();
        return;
    }
    if (subjectField_->text().isEmpty()) {
        subjectField_->becomeFirstResponder();
        return;
    }
    if (messageText_->text().isEmpty()) {
        messageText_->becomeFirstResponder();
        return;
    }
    param().param().set("user", toField_->text().toStdString());
    param().param().set("subject", subjectField_->text().toStdString());
    param().param().set("content", messageText_->text().toStdString());
    if (ActivityView* overlay = activityView()) overlay->show(this);
    session().userSendmsg(param().param(), this);
}

void SendMessage::didLoad(const Value& reply, QXRequest*) {
    platform::showAlert({"提示", reply.getStringValueForKey("msg", "发送成功!"), {"确定"}});
    popScreen(this);
}

}  // namespace tovera
