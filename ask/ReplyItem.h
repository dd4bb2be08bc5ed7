// The row of one answer: its text, its picture (opening the viewer), and a
// bar with the author (opening the author's page), the date and, for the
// asker of an open question, "设为最佳" on answers of others.
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

class ReplyItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr int kUserTag = 1;
    static constexpr int kBestTag = 2;
    static constexpr double kBarHeight = 30;
    static constexpr double kPictureSide = 60;

    explicit ReplyItem(QWidget* parent = nullptr);

    /// One answer; the row takes contentHeight().
    void setInfo(const Dict& info) override;
    /// The row height an answer needs: its text, its picture, the bar.
    static double contentHeight(const Dict& info);
    /// `viewerId` is the signed-in asker's id, "0" for anybody else: the
    /// best-answer button is for the asker, on answers of others.
    void setAskInfo(const std::string& viewerId);
    /// A closed question (1) takes no best answer.
    void setClosed(int closed);

    /// The picture in the viewer.
    void showBig();
    /// The author's page.
    void showUser();

    platform::ui::TextView* replyText() const { return replyText_; }
    NetButton* netButton() const { return netButton_; }
    platform::ui::View* bottomBar() const { return bottomBar_; }
    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::Button* bestBtn() const { return bestBtn_; }

private:
    platform::ui::TextView* replyText_ = nullptr;
    NetButton* netButton_ = nullptr;
    platform::ui::View* bottomBar_ = nullptr;
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::Button* bestBtn_ = nullptr;
};

}  // namespace tovera
