#include "property/HousePreview.h"

#include <algorithm>

#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "framework/CallSheet.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/Preferences.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/PhotoView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kPhotoHeight = 160;
constexpr double kRow = 22;
constexpr double kCaptionWidth = 70;
constexpr double kMargin = 10;
constexpr double kValueLeft = kMargin + kCaptionWidth;
constexpr double kValueWidth = kWidth - kValueLeft - kMargin;

QString text(const Dict& record, std::string_view key, std::string_view defaultValue = "") {
    return QString::fromStdString(record.getStringValueForKey(key, defaultValue));
}

}  // namespace

HousePreview::HousePreview(const QRectF& frame, QWidget* parent) : ScrollView(frame, parent) {
    setBackgroundColor(Qt::white);
    photoView_ = new PhotoView(QRectF(0, 0, kWidth, kPhotoHeight));
    addSubview(photoView_);

    double y = kPhotoHeight + 4;
    nameLbl_ = new Label(QRectF(kMargin, y, kWidth - 2 * kMargin, 26));
    nameLbl_->setFont(NSUtil::bigFont());
    nameLbl_->setTextColor(NSUtil::black());
    addSubview(nameLbl_);
    y += 28;
    stateLbl_ = addLabel(y, QStringLiteral("类型:"));
    priceLbl_ = addLabel(y += kRow, QStringLiteral("均价:"));
    priceLbl_->setTextColor(NSUtil::redcolor());
    areaLbl_ = addLabel(y += kRow, QStringLiteral("区域:"));
    propertyLbl_ = addLabel(y += kRow, QStringLiteral("物业:"));
    addLabel(y += kRow, QStringLiteral("地址:"));
    addressBtn_ = addButton(QRectF(kValueLeft, y, kValueWidth, kRow), NSUtil::click());
    connect(addressBtn_, &platform::ui::Control::touchUpInside, this, [this] { getLocation(); });
    sellAddressLbl_ = addLabel(y += kRow, QStringLiteral("售楼处:"));
    addLabel(y += kRow, QStringLiteral("售楼电话:"));
    telBtn_ = addButton(QRectF(kValueLeft, y, kValueWidth, kRow), NSUtil::bluecolor());
    connect(telBtn_, &platform::ui::Control::touchUpInside, this, [this] { btnCall(); });

    y += kRow;
    const double third = (kWidth - 2 * kMargin) / 3;
    auto countButton = [&](int column, const QString& caption) {
        auto* label = new Label(QRectF(kMargin + column * third, y, 44, kRow));
        label->setFont(NSUtil::smallFont());
        label->setTextColor(Qt::gray);
        label->setText(caption);
        addSubview(label);
        return addButton(QRectF(kMargin + column * third + 44, y, third - 44, kRow),
                         NSUtil::click());
    };
    lookBtn_ = countButton(0, QStringLiteral("关注:"));
    lookBtn_->setTag(kFollowers);
    buyBtn_ = countButton(1, QStringLiteral("已购:"));
    buyBtn_->setTag(kBuyers);
    oldhouseBtn_ = countButton(2, QStringLiteral("二手房:"));
    for (Button* count : {lookBtn_, buyBtn_})
        connect(count, &platform::ui::Control::touchUpInside, this,
                [this, count] { userSearch(count->tag()); });
    connect(oldhouseBtn_, &platform::ui::Control::touchUpInside, this,
            [this] { oldhouseSearch(); });

    y += kRow + 8;
    sellTitle_ = new Label(QRectF(kMargin, y, kWidth - 2 * kMargin, 24));
    sellTitle_->setFont(NSUtil::normalFont());
    sellTitle_->setTextColor(NSUtil::black());
    sellTitle_->setText(QStringLiteral("最新销售信息"));
    addSubview(sellTitle_);
    sellText_ = new Label(QRectF(kMargin, y + 26, kWidth - 2 * kMargin, kRow));
    sellText_->setFont(NSUtil::smallFont());
    sellText_->setNumberOfLines(0);
    sellText_->setLineBreakMode(Label::LineBreak::WordWrap);
    addSubview(sellText_);
    sellDate_ = new Label(QRectF(kMargin, 0, kWidth - 2 * kMargin, kRow));
    sellDate_->setFont(NSUtil::smallFont());
    sellDate_->setTextColor(Qt::gray);
    addSubview(sellDate_);
    moreBtn_ = addButton(QRectF(kWidth - kMargin - 120, 0, 120, 28), NSUtil::click());
    moreBtn_->setTitle(QStringLiteral("更多销售信息"));
    connect(moreBtn_, &platform::ui::Control::touchUpInside, this, [this] { moreList(); });
    setSellList({});
}

Label* HousePreview::addLabel(double y, const QString& caption) {
    auto* title = new Label(QRectF(kMargin, y, kCaptionWidth, kRow));
    title->setFont(NSUtil::smallFont());
    title->setTextColor(Qt::gray);
    title->setText(caption);
    addSubview(title);
    auto* value = new Label(QRectF(kValueLeft, y, kValueWidth, kRow));
    value->setFont(NSUtil::smallFont());
    value->setTextColor(NSUtil::black());
    addSubview(value);
    return value;
}

Button* HousePreview::linkButton(const QRectF& frame, const QColor& color) {
    auto* button = new Button(frame);
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(color);
    button->setContentEdgeInsets({0, 0, 0, 0});
    button->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    return button;
}

Button* HousePreview::addButton(const QRectF& frame, const QColor& color) {
    Button* button = linkButton(frame, color);
    addSubview(button);
    return button;
}

QString HousePreview::stateText(const Dict& detail) {
    QString state;
    const std::string index = detail.getStringValueForKey("state", "");
    if (!index.empty()) {
        const Value list = NSUtil::config("salestate");
        const Array* names = list.array();
        const int at = Value(index).intValue();
        // A state the list does not know is shown as no state at all.
        if (names && at >= 0 && at < static_cast<int>(names->size()))
            state = QString::fromStdString((*names)[at].toText());
    }
    return QStringLiteral("%1 %2").arg(text(detail, "catname", "住宅"), state);
}

std::optional<ProjectPin> HousePreview::pinOf(const Dict& detail) {
    const QString map = text(detail, "map");
    const qsizetype bar = map.indexOf(u'|');
    if (bar < 0) return std::nullopt;
    return ProjectPin{text(detail, "name"), text(detail, "address"),
                      map.mid(bar + 1).trimmed().toDouble(), map.left(bar).trimmed().toDouble()};
}

void HousePreview::setDetail(const Dict& detail) {
    if (detail.empty()) return;
    detail_ = detail;
    std::vector<std::string> photos;
    if (const Array* list = detail["photos"].array())
        for (const Value& photo : *list)
            if (const Dict* record = photo.dict())
                photos.push_back(record->getStringValueForKey("picico_url", ""));
    photoView_->setPicsArray(std::move(photos));
    photoView_->bindImgView();

    telBtn_->setTitle(text(detail, "tel"));
    nameLbl_->setText(text(detail, "name"));
    nameLbl_->setTag(detail.getIntValueForKey("id", 0));
    stateLbl_->setText(stateText(detail));
    const std::string price = detail.getStringValueForKey("price", "");
    priceLbl_->setText(Value(price).intValue() != 0
                           ? QStringLiteral("%1元/平方米").arg(QString::fromStdString(price))
                           : QStringLiteral("一房一价"));
    areaLbl_->setText(text(detail, "area"));
    propertyLbl_->setText(text(detail, "property"));
    const QString address = text(detail, "address");
    addressBtn_->setHidden(address.isEmpty());
    addressBtn_->setTitle(address);
    sellAddressLbl_->setText(text(detail, "selladdress"));
    lookBtn_->setTitle(QStringLiteral("%1人").arg(text(detail, "num_look", "0")));
    buyBtn_->setTitle(QStringLiteral("%1人").arg(text(detail, "num_buy", "0")));
    oldhouseBtn_->setTitle(QStringLiteral("%1个").arg(text(detail, "num_oldhouse", "0")));
    moreBtn_->setTag(detail.getIntValueForKey("id", 0));

    pin_ = pinOf(detail);
    addressBtn_->setEnabled(pin_.has_value());
    addressBtn_->setTitleColor(pin_ ? NSUtil::click() : NSUtil::black());
}

void HousePreview::setSellList(const Array& sellList) {
    const Dict* latest = sellList.empty() ? nullptr : sellList.front().dict();
    if (latest) {
        sellText_->setText(text(*latest, "selltxt"));
        sellDate_->setText(text(*latest, "update_at"));
    } else {
        sellText_->setText(QStringLiteral("暂无"));
    }
    sellDate_->setHidden(!latest);
    moreBtn_->setHidden(!latest);
    layoutSellNews();
}

void HousePreview::layoutSellNews() {
    QRectF textFrame = sellText_->frame();
    textFrame.setHeight(
        std::max(kRow, sellText_->sizeThatFits(QSizeF(textFrame.width(), 0)).height()));
    sellText_->setFrame(textFrame);
    double bottom = textFrame.bottom();
    if (!sellDate_->isHidden()) {
        QRectF date = sellDate_->frame();
        date.moveTop(bottom);
        sellDate_->setFrame(date);
        bottom = date.bottom();
    }
    QRectF more = moreBtn_->frame();
    more.moveTop(bottom);
    moreBtn_->setFrame(more);
    if (!moreBtn_->isHidden()) bottom = more.bottom();
    setContentSize(QSizeF(kWidth, bottom + 8));
}

void HousePreview::setOwner(platform::ui::ViewController* owner) {
    owner_ = owner;
}

void HousePreview::setPhotoDelegate(QXViewDelegate* delegate) {
    photoView_->setDelegate(delegate);
}

void HousePreview::btnCall() {
    offerCall(telBtn_->titleForState(Button::Normal), window());
}

void HousePreview::getLocation() {
    if (pin_) {
        openMap();
        return;
    }
    const std::string place = platform::preferences().string(PrefKey::kCity).value_or("") + " " +
                              detail_.getStringValueForKey("name", "");
    QPointer<HousePreview> self(this);
    DSTovera::getGEObyAddress(place, [self](std::vector<std::string> parts) {
        if (!self || parts.size() < 4) return;
        self->pin_ = ProjectPin{text(self->detail_, "name"), text(self->detail_, "address"),
                                QString::fromStdString(parts[2]).toDouble(),
                                QString::fromStdString(parts[3]).toDouble()};
        self->openMap();
    });
}

void HousePreview::openMap() {
    openMap(owner_, *pin_);
}

void HousePreview::openMap(platform::ui::ViewController* owner, const ProjectPin& pin) {
    Route map{Destination::ProjectMap};
    map.param.setType("-1");
    map.param.setName(pin.title.toStdString());
    map.param.setString(pin.subtitle.toStdString(), "address");
    map.param.setString(QString::number(pin.latitude, 'g', 10).toStdString(), "latitude");
    map.param.setString(QString::number(pin.longitude, 'g', 10).toStdString(), "longitude");
    Navigator::open(owner, map);
}

void HousePreview::userSearch(int tag) {
    Route search =
        Route::toObject(Destination::MemberSearch, detail_.getStringValueForKey("id", "0"));
    search.param.setType(std::to_string(tag + 2));
    search.param.setName(detail_.getStringValueForKey("name", ""));
    if (DSTovera* session = RootScreenServices::shared().session())
        search.param.setUid(session->userId().value_or(""));
    Navigator::open(owner_, search);
}

void HousePreview::moreList() {
    Route news = Route::toObject(Destination::SaleNews, std::to_string(moreBtn_->tag()));
    news.param.setName(detail_.getStringValueForKey("name", ""));
    Navigator::open(owner_, news);
}

void HousePreview::oldhouseSearch() {
    Route listings{Destination::Listings};
    listings.param.setApi("oldhouse");
    listings.param.setHid(detail_.getStringValueForKey("id", "0"));
    Navigator::open(owner_, listings);
}

}  // namespace tovera
