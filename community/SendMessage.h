// "发送短信": writes a private message, a reply or a forward. The recipient
// can be typed, filled in by the opener (a friend row, a user page, a
// message being answered) or picked from the friend list ("好友列表"),
// which leaves the chosen names in the root screen's scratch parameter
// "users".
#pragma once

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
class TextField;
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class SendMessage : public QXViewController {
    Q_OBJECT
public:
    explicit SendMessage(QObject* parent = nullptr);

    /// The recipient, by user name. Openers hand the record's name, never a
    /// name shown with its remark, so a user name that itself holds "(" is
    /// kept whole.
    void sendTo(const QString& name);
    void setSubject(const QString& subject);
    void setContent(const QString& content);

    /// "提交": an empty field takes the focus and nothing is sent.
    void postMessage();
    /// Opens the friend picker for the recipient.
    void addUser();
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TextField* toField() const { return toField_; }
    platform::ui::TextField* subjectField() const { return subjectField_; }
    platform::ui::TextView* messageText() const { return messageText_; }
    platform::ui::Button* addUserButton() const { return addUser_; }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    platform::ui::ScrollView* scrollView_ = nullptr;
    platform::ui::TextField* toField_ = nullptr;
    platform::ui::TextField* subjectField_ = nullptr;
    platform::ui::TextView* messageText_ = nullptr;
    platform::ui::Button* addUser_ = nullptr;
    // Values given before the view was loaded.
    QString to_, subject_, content_;
};

}  // namespace tovera
