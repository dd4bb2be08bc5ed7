// "私信": the inbox, with five tabs ("全部", "系统短信", "好友短信", "推荐信息",
// "已发送") over one message list, and "发送短信" to write a message.
#pragma once

#include "platform/ui/navigation/ViewController.h"

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class MessageList;

class MessageHome : public platform::ui::ViewController {
    Q_OBJECT
public:
    static constexpr double kTabHeight = 36;

    explicit MessageHome(QObject* parent = nullptr);

    /// "发送短信".
    void sendMessage();
    /// A tab: the list shows its messages from the first page.
    void tabPressed(platform::ui::Button* button);

    ButtonsView* btnsView() const { return btnsView_; }
    platform::ui::View* contentView() const { return contentView_; }
    MessageList* msgController() const { return msgController_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    ButtonsView* btnsView_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    MessageList* msgController_ = nullptr;
};

}  // namespace tovera
