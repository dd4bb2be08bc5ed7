// The list row of one topic: its text, its picture (opening the viewer), the
// author (opening the author's page), the date, "回复(n)" (the posting form
// for a reply) and "转载" (the repost form), and, for a repost, a box with
// the source topic ("user:title") and the source's picture.
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

class TopicItem : public CustomCell {
    Q_OBJECT
public:
    explicit TopicItem(QWidget* parent = nullptr);

    /// One topic; the row takes contentHeight(info).
    void setInfo(const Dict& info) override;
    /// The row height a topic needs, by the rules setInfo() lays it out by.
    static double contentHeight(const Dict& info);

    /// The posting form for a reply to this topic.
    void replyTopic();
    /// The repost form with this topic's text.
    void foward();
    /// The author's page.
    void showUser();
    /// Tells the delegate, then acts for the reply, repost or author button.
    void btnPressed(platform::ui::Button* button) override;

    platform::ui::Label* titleLbl() const { return titleLbl_; }
    NetButton* picture() const { return picture_; }
    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::Button* replyBtn() const { return replyBtn_; }
    platform::ui::Button* fowardBtn() const { return fowardBtn_; }
    platform::ui::View* sourceView() const { return sourceView_; }
    platform::ui::Label* sourceLbl() const { return sourceLbl_; }
    NetButton* sourcePicture() const { return sourcePicture_; }

private:
    platform::ui::Label* titleLbl_ = nullptr;
    NetButton* picture_ = nullptr;
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::Button* replyBtn_ = nullptr;
    platform::ui::Button* fowardBtn_ = nullptr;
    platform::ui::View* sourceView_ = nullptr;
    platform::ui::Label* sourceLbl_ = nullptr;
    NetButton* sourcePicture_ = nullptr;
};

}  // namespace tovera
