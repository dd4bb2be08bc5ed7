// "评论": all comments of one object (an article, a project, a topic, an
// activity, a live room), with "发表评论" to write one. The opener sets the
// hosted list's param (`type`, `rid`, `ptype`) before the view is built;
// building the view loads the list.
#pragma once

#include "platform/ui/navigation/ViewController.h"

namespace tovera {

class CommentList;

class CommentDetail : public platform::ui::ViewController {
    Q_OBJECT
public:
    explicit CommentDetail(QObject* parent = nullptr);

    CommentList* commentList() const { return commentList_; }
    /// Opens the comment form for the listed object.
    void postComment();

protected:
    void loadView() override;
    /// After a post the list loads again, and the screen beneath (which
    /// may show the comment count) is told to refresh too.
    void viewDidAppear(bool animated) override;

private:
    CommentList* commentList_ = nullptr;
};

}  // namespace tovera
