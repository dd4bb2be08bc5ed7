// One message of the inbox or the sent box. What it offers depends on the
// kind of message: a reply and a forward for a message from a user, a
// second recommendation and a look at the item for a recommendation,
// accepting or refusing for a friend request, and deleting for all; the
// sender of a user message or a recommendation can be blacklisted.
//
// The row sends its own requests (delete, accept, refuse, blacklist) and,
// when the service took the action, tells its list (with no button) so
// that the list reloads.
#pragma once

#include "core/QXRequestDelegate.h"
#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class MessageListItem : public CustomCell, public QXRequestDelegate {
    Q_OBJECT
public:
    /// The tab of the sent box.
    static constexpr int kSentTab = 5;
    /// Message kinds ("catname").
    static constexpr int kSystemNotice = 1;
    static constexpr int kRecommendation = 2;
    static constexpr int kFriendRequest = 3;

    explicit MessageListItem(QWidget* parent = nullptr);

    /// The list's tab number: set before setInfo().
    void setMlType(int type) { mlType_ = type; }
    int mlType() const { return mlType_; }
    void setInfo(const Dict& info) override;

    /// The row's height for `record`: its text plus the rows around it.
    static double heightFor(const Value& record);
    /// The recommendation kind for the friend picker of an item of `type`
    /// (projects and articles swap numbers between the two).
    static std::string recommendType(int type);

    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::Button* titleBtn() const { return titleBtn_; }
    platform::ui::Label* textLbl() const { return textLbl_; }
    platform::ui::Button* nameBtn() const { return nameBtn_; }
    platform::ui::Label* lBl() const { return lBl_; }
    platform::ui::Button* button0() const { return button0_; }
    platform::ui::Button* button1() const { return button1_; }
    platform::ui::Button* button2() const { return button2_; }
    platform::ui::Button* blackBtn() const { return blackBtn_; }
    platform::ui::Button* requesterBtn() const { return requesterBtn_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }

private:
    enum class Action { None, Reply, Forward, Recommend, Agree, DisAgree };
    void layoutFor(double textHeight);
    void pressed(platform::ui::Button* button);
    void replyMsg();
    void fowardMsg();
    void recommandMsg();
    void look();
    void answerRequest(bool agree);
    void deleteMsg();
    void set2black();
    void openUser(int uid);

    platform::ui::Button* titleBtn_ = nullptr;
    platform::ui::Label* textLbl_ = nullptr;
    platform::ui::Button* nameBtn_ = nullptr;
    platform::ui::Label* lBl_ = nullptr;
    platform::ui::Button* button0_ = nullptr;
    platform::ui::Button* button1_ = nullptr;
    platform::ui::Button* button2_ = nullptr;
    platform::ui::Button* blackBtn_ = nullptr;
    platform::ui::Button* requesterBtn_ = nullptr;
    platform::ui::Label* requestLbl_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    int mlType_ = 1;
    Dict record_;
    Action action0_ = Action::None;
    Action action1_ = Action::None;
};

}  // namespace tovera
