// "评论": writing a comment (or a reply to one), with the emoticon picker.
// The opener sets `rid` (the target's id) and `ptype` (the target's kind).
// After a successful post the screen beneath is told to refresh and the
// form closes; a refused post keeps the form open with its text.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera::platform::ui {
class Button;
class TextView;
struct KeyboardInfo;
}  // namespace tovera::platform::ui

namespace tovera {

class CommentForm : public QXViewController, public platform::ui::NavigationControllerDelegate {
    Q_OBJECT
public:
    explicit CommentForm(QObject* parent = nullptr);

    /// Sends the text (also an empty one) as a comment.
    void postComment();
    /// Opens the emoticon picker.
    void showMontionView();
    /// The emoticon button sits on the keyboard; the text fills the space above.
    void keyBoardWasShown(const platform::ui::KeyboardInfo& info);

    void didLoad(const Value& reply, QXRequest* request) override;
    /// Coming back from the picker: its emoticon's code goes in at the cursor.
    void navigationControllerWillShow(platform::ui::NavigationController* nav,
                                      platform::ui::ViewController* controller,
                                      bool animated) override;

    platform::ui::TextView* commentText() const { return commentText_; }
    platform::ui::Button* montionBtn() const { return montionBtn_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    /// The text keeps the keyboard whenever the form is shown (first, and
    /// back from the picker), so writing goes on where it stopped.
    void viewDidAppear(bool animated) override;

private:
    platform::ui::TextView* commentText_ = nullptr;
    platform::ui::Button* montionBtn_ = nullptr;
};

}  // namespace tovera
