// "网友评论": the portal's comments at large in four listings (this week's
// most agreed, the newest, my comments, my friends' comments), one tab
// button each; every row names the commented object.
#pragma once

#include "platform/ui/navigation/ViewController.h"

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class CommentList;

class NetComment : public platform::ui::ViewController {
    Q_OBJECT
public:
    explicit NetComment(QObject* parent = nullptr);

    /// Selects `button` alone and shows its listing.
    void btnPressed(platform::ui::Button* button);

    CommentList* commentList() const { return commentList_; }
    platform::ui::View* btnsView() const { return btnsView_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    platform::ui::View* btnsView_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    CommentList* commentList_ = nullptr;
};

}  // namespace tovera
