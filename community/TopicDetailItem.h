// The row of a topic (row 0) or of one reply in "浏览话题": the author
// (opening the author's page), the date, the text, the picture (opening the
// viewer) and, for a repost, a box with the source topic: its text (tag 1),
// picture (2), date (3), author (4), "回复(n)" (5) and a button opening it
// (6). The comment button reads "回复(n)" on the topic (tag 1: the posting
// form for a reply) and "评论(n)" on a reply (tag 2: the comments on it).
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
class TextView;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

class TopicDetailItem : public CustomCell {
    Q_OBJECT
public:
    enum CommentTag { kReplyTag = 1, kCommentsTag = 2 };
    enum SourceTag {
        kSourceText = 1,
        kSourcePicture,
        kSourceDate,
        kSourceUser,
        kSourceReplies,
        kSourceOpen
    };

    explicit TopicDetailItem(QWidget* parent = nullptr);

    /// One post; the cell's tag (its row) says whether it is the topic.
    /// The row takes contentHeight(info).
    void setInfo(const Dict& info) override;
    /// The row height a post needs, by the rules setInfo() lays it out by.
    static double contentHeight(const Dict& info);

    /// The comment button: a reply to the topic, or a reply's comments.
    void comment();
    /// The source topic of a repost.
    void viewTopic();
    /// The page of the author `button` carries.
    void showUserInfo(platform::ui::Button* button);
    void btnPressed(platform::ui::Button* button) override;

    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::TextView* textView() const { return textView_; }
    NetButton* picture() const { return picture_; }
    platform::ui::Button* commentBtn() const { return commentBtn_; }
    platform::ui::View* sourceView() const { return sourceView_; }

private:
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::TextView* textView_ = nullptr;
    NetButton* picture_ = nullptr;
    platform::ui::Button* commentBtn_ = nullptr;
    platform::ui::View* sourceView_ = nullptr;
    platform::ui::Label* sourceLbl_ = nullptr;
    NetButton* sourcePicture_ = nullptr;
    platform::ui::Label* sourceDate_ = nullptr;
    platform::ui::Button* sourceUser_ = nullptr;
    platform::ui::Label* sourceReplies_ = nullptr;
    platform::ui::Button* sourceOpen_ = nullptr;
};

}  // namespace tovera
