// The row of one personal-feed entry: its kind's caption (a button that
// opens the category), title, picture, body, author, date, and buttons to
// recommend it to friends and to read its comments.
//
// Every row sets every tag and visibility it uses, so a reused cell never
// keeps the previous entry's kind.
#pragma once

#include <QPointer>

#include <string>

#include "framework/CustomCell.h"
#include "platform/ui/navigation/ViewController.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;
class NetButton;

class MyNewsItem : public CustomCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 142;
    /// The button tags.
    static constexpr int kCategoryTag = 1;
    static constexpr int kRecommendTag = 3;
    static constexpr int kCommentTag = 4;
    static constexpr int kPictureTag = 5;
    /// The entry kind (classtype) of a listing, which has no comments.
    static constexpr int kListingKind = 3;

    explicit MyNewsItem(QWidget* parent = nullptr);

    /// The screen the buttons open their targets from.
    void setHost(platform::ui::ViewController* screen);

    void setInfo(const Dict& info) override;
    /// Forwards the tap to the delegate, then opens what the button names.
    void btnPressed(platform::ui::Button* button) override;

    /// The comment kind of an entry kind: kinds above 2 count one lower.
    static int commentKind(int classtype) { return classtype > 2 ? classtype - 1 : classtype; }

    platform::ui::Button* typeName() const { return typeName_; }
    platform::ui::Label* titleLabel() const { return titleLabel_; }
    platform::ui::Label* introText() const { return introText_; }
    platform::ui::Label* user() const { return user_; }
    platform::ui::Label* date() const { return date_; }
    NetButton* imgShow() const { return imgShow_; }
    platform::ui::Button* comment() const { return comment_; }
    platform::ui::Button* recommandBtn() const { return recommandBtn_; }
    const std::string& pics() const { return pics_; }

private:
    void openCategory();
    void recommend();
    /// The entry's comments, of its comment kind.
    void openComments();
    void showPicture();

    platform::ui::Button* typeName_ = nullptr;
    platform::ui::Label* titleLabel_ = nullptr;
    platform::ui::Label* introText_ = nullptr;
    platform::ui::Label* user_ = nullptr;
    platform::ui::Label* date_ = nullptr;
    NetButton* imgShow_ = nullptr;
    platform::ui::Button* comment_ = nullptr;
    platform::ui::Button* recommandBtn_ = nullptr;
    std::string pics_;
    QPointer<platform::ui::ViewController> screen_;
};

}  // namespace tovera
