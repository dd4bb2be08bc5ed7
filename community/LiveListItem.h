// The row of one message of a live room ("直播区"): the message text, its
// picture when it has one, the time and "评论(n)", which opens the
// message's comments. The room's own record (row 0) carries "picture" and
// shows only that picture. The picture and the comment button are reported
// to the list (qxView with this cell, whose tag is its row).
#pragma once

#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Button;
class Label;
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

class LiveListItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kRoomPictureHeight = 180;
    static constexpr double kPictureHeight = 120;
    static constexpr double kBarHeight = 24;

    explicit LiveListItem(QWidget* parent = nullptr);

    /// The height the record needs: a room picture plus 10, else the text,
    /// the picture when there is one, the comment button and the date.
    static double contentHeight(const Dict& info);

    void setInfo(const Dict& info) override;

    platform::ui::TextView* messageText() const { return messageText_; }
    NetButton* picButton() const { return picButton_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::Button* commentBtn() const { return commentBtn_; }

private:
    platform::ui::TextView* messageText_ = nullptr;
    NetButton* picButton_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::Button* commentBtn_ = nullptr;
};

}  // namespace tovera
