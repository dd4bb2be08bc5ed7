// "概况", a project's overview: its photos, name, class and sale state,
// prices and addresses, the sales telephone, the member and listing counts
// and the latest sale news. A vertical scroll view shown inside the
// project's screen; the buttons open the map, the member search, the
// project's listings, its sale news, or offer to call the sales office.
#pragma once

#include <QPointer>
#include <QString>

#include <optional>

#include "core/Value.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/ViewController.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class PhotoView;
class QXViewDelegate;

/// Where a project lies on the map, with what its pin shows.
struct ProjectPin {
    QString title;
    QString subtitle;
    double latitude = 0;
    double longitude = 0;
};

class HousePreview : public platform::ui::ScrollView {
    Q_OBJECT
public:
    /// Which member count a count button stands for (its tag): buyers are
    /// searched with type 2, followers with type 3.
    enum CountTag { kBuyers = 0, kFollowers = 1 };

    explicit HousePreview(const QRectF& frame, QWidget* parent = nullptr);

    /// Fills the page from the project's detail; an empty detail changes nothing.
    void setDetail(const Dict& detail);
    /// The latest sale news ("暂无" when there is none).
    void setSellList(const Array& sellList);
    /// Hears the taps on a photo.
    void setPhotoDelegate(QXViewDelegate* delegate);
    /// The screen the page is shown in, which the buttons open screens from.
    void setOwner(platform::ui::ViewController* owner);

    /// The sales call: "拨打:<number>?" or, with no number, the toast
    /// "没有提供相关号码!".
    void btnCall();
    /// The map with the project's pin (geocoded from the city and the name
    /// when the detail gives no position).
    void getLocation();
    /// The members who bought (tag 0) or follow (tag 1) the project.
    void userSearch(int tag);
    /// Every sale news item of the project.
    void moreList();
    /// The second-hand listings of the project.
    void oldhouseSearch();

    /// The class and sale state: "<catname> <state name>", "住宅" for a
    /// missing class, no state name for a state outside the list.
    static QString stateText(const Dict& detail);
    /// The pin of a "longitude|latitude" position, if it is one: the
    /// detail's "name" as title, its "address" as subtitle.
    static std::optional<ProjectPin> pinOf(const Dict& detail);
    /// A left-aligned button in the small font, as the address and the
    /// telephone of a summary page show.
    static platform::ui::Button* linkButton(const QRectF& frame, const QColor& color);
    /// Opens the map with `pin` alone, from `owner`.
    static void openMap(platform::ui::ViewController* owner, const ProjectPin& pin);

    const std::optional<ProjectPin>& pin() const { return pin_; }
    PhotoView* photoView() const { return photoView_; }
    platform::ui::Label* nameLbl() const { return nameLbl_; }
    platform::ui::Label* stateLbl() const { return stateLbl_; }
    platform::ui::Label* priceLbl() const { return priceLbl_; }
    platform::ui::Button* telBtn() const { return telBtn_; }
    platform::ui::Button* addressBtn() const { return addressBtn_; }
    platform::ui::Button* lookBtn() const { return lookBtn_; }
    platform::ui::Button* buyBtn() const { return buyBtn_; }
    platform::ui::Button* oldhouseBtn() const { return oldhouseBtn_; }
    platform::ui::Label* sellText() const { return sellText_; }
    platform::ui::Label* sellDate() const { return sellDate_; }
    platform::ui::Button* moreBtn() const { return moreBtn_; }

private:
    platform::ui::Label* addLabel(double y, const QString& caption);
    platform::ui::Button* addButton(const QRectF& frame, const QColor& color);
    void layoutSellNews();
    void openMap();

    Dict detail_;
    std::optional<ProjectPin> pin_;
    QPointer<platform::ui::ViewController> owner_;
    PhotoView* photoView_ = nullptr;
    platform::ui::Label* nameLbl_ = nullptr;
    platform::ui::Label* stateLbl_ = nullptr;
    platform::ui::Label* priceLbl_ = nullptr;
    platform::ui::Label* areaLbl_ = nullptr;
    platform::ui::Label* propertyLbl_ = nullptr;
    platform::ui::Button* addressBtn_ = nullptr;
    platform::ui::Label* sellAddressLbl_ = nullptr;
    platform::ui::Button* telBtn_ = nullptr;
    platform::ui::Button* lookBtn_ = nullptr;
    platform::ui::Button* buyBtn_ = nullptr;
    platform::ui::Button* oldhouseBtn_ = nullptr;
    platform::ui::Label* sellTitle_ = nullptr;
    platform::ui::Label* sellText_ = nullptr;
    platform::ui::Label* sellDate_ = nullptr;
    platform::ui::Button* moreBtn_ = nullptr;
};

}  // namespace tovera
