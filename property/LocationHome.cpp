#include "property/LocationHome.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>

#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ButtonsView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "framework/RootScreenServices.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/overlays/PickerView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/HouseDetail.h"

namespace tovera {

using platform::Coordinate;
using platform::ui::AnnotationView;
using platform::ui::Button;
using platform::ui::MapAnnotation;
using platform::ui::MapView;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 36;
constexpr double kMaxSpan = 0.5;
constexpr double kNearestSpan = 0.05;
constexpr Coordinate kDefaultCentre{31.859207, 117.30757};
const std::vector<std::string> kKindCaptions = {"新房", "二手房", "租房", "好友", "用户"};

std::string degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

// "latitude,longitude" of the chosen city, else the built-in default.
Coordinate storedCentre() {
    const QString geo = QString::fromStdString(
        platform::preferences().string(PrefKey::kGeo).value_or("31.859207,117.30757"));
    const QStringList parts = geo.split(u',');
    if (geo.isEmpty() || parts.size() < 2) return kDefaultCentre;
    return {parts[0].trimmed().toDouble(), parts[1].trimmed().toDouble()};
}

// A reply's coordinate, when it is a number.
std::optional<double> degreesOf(const Dict& row, std::string_view key) {
    bool ok = false;
    const double value = QString::fromStdString(row.getStringValueForKey(key, "")).toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

LocationHome::LocationHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("地图"));
    pkArray_ = NSUtil::config("arealevel").items();
    param().setLimit("1");
    coord_ = storedCentre();
}

void LocationHome::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    mapView_ = new MapView(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight), root);
    mapView_->setAutoresizingMask(View::FlexibleSize);
    mapView_->setDelegate(this);
    btnsView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    setView(root);
}

void LocationHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    NSUtil::createBtns(kKindCaptions, btnsView_, [this](Button* button) { btnPressed(button); });
    applyMode();
    if (!nearby()) {
        markAnnotation();
        gotoLocation(coord_);
        return;
    }
    if (platform::Location::shared().locationServicesEnabled()) {
        mapView_->setShowsUserLocation(true);
        return;
    }
    gotoLocation(coord_);
    needUpdate_ = false;
    reloadData();
}

void LocationHome::applyMode() {
    if (!mapView_) return;
    if (!nearby()) {
        navigationItem()->setRightBarButtonItem(nullptr);
        mapView_->setShowsUserLocation(false);
        btnsView_->setHidden(true);
        mapView_->setFrame(QRectF(0, 0, kWidth, view()->bounds().height()));
        return;
    }
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("设置范围"), platform::ui::BarButtonItem::Style::Plain,
        [this] { setArea(); }));
    btnsView_->setHidden(false);
    mapView_->setFrame(QRectF(0, kStripHeight, kWidth, view()->bounds().height() - kStripHeight));
    const QList<QWidget*> buttons = btnsView_->subviews();
    if (auto* selected = qobject_cast<Button*>(buttons.value(type_)))
        QXViewController::btnsView(btnsView_, selected);
}

void LocationHome::setType(int type) {
    type_ = std::clamp(type, int(kSinglePin), int(kUsers));
    applyMode();
}

void LocationHome::setAnnotaiton(std::shared_ptr<JVAnnotation> annotation) {
    if (!annotation) return;
    dataArray_ = {annotation};
    coord_ = annotation->coordinate();
    if (!mapView_) return;
    markAnnotation();
    gotoLocation(coord_);
}

void LocationHome::viewWillAppear(bool animated) {
    QXViewController::viewWillAppear(animated);
    if (nearby() && platform::Location::shared().locationServicesEnabled())
        mapView_->setShowsUserLocation(true);
}

void LocationHome::viewWillDisappear(bool animated) {
    QXViewController::viewWillDisappear(animated);
    mapView_->setShowsUserLocation(false);
}

void LocationHome::gotoLocation(const Coordinate& coordinate) {
    const platform::ui::CoordinateRegion shown = mapView_->region();
    if (shown.span.latitudeDelta <= kMaxSpan && shown.span.longitudeDelta <= kMaxSpan) {
        mapView_->setCenterCoordinate(coordinate, true);
        return;
    }
    mapView_->setRegion({coordinate,
                         {std::min(shown.span.latitudeDelta, kMaxSpan),
                          std::min(shown.span.longitudeDelta, kMaxSpan)}},
                        true);
}

void LocationHome::didUpdateUserLocation(MapView*, const Coordinate& position) {
    if (position.latitude != 0 || position.longitude != 0) coord_ = position;
    // Only the report that loads moves the map: later ones would pull it
    // away from where the user has panned to.
    loadIfNeeded();
}

void LocationHome::didFailToLocateUser(MapView*, const platform::LocationError&) {
    loadIfNeeded();
}

void LocationHome::loadIfNeeded() {
    if (!needUpdate_ || !nearby()) return;
    gotoLocation(coord_);
    needUpdate_ = false;
    reloadData();
}

void LocationHome::btnPressed(Button* button) {
    QXViewController::btnsView(btnsView_, button);
    type_ = int(btnsView_->subviews().indexOf(button));
    needUpdate_ = true;
    // Without location services no report will come to load the new kind.
    if (mapView_->userLocation() || !platform::Location::shared().locationServicesEnabled()) {
        needUpdate_ = false;
        reloadData();
    }
}

double LocationHome::spanForRange(int row) {
    // The first range would be a span of nothing at all.
    return row > 0 ? row * 0.1 : kNearestSpan;
}

void LocationHome::setArea() {
    if (!pkView_) {
        pkView_ = new JVPickView(kWidth, view());
        pkView_->setDelegate(this);
    }
    QStringList titles;
    for (const Value& level : pkArray_)
        titles << QStringLiteral("%1km").arg(QString::fromStdString(level.toText()));
    pkView_->setTitles(titles);
    // The range in use is the one offered first.
    const int current = Value(param().limit()).intValue();
    if (current > 0 && current < int(titles.size())) pkView_->pickerView()->selectRow(current, 0);
    const double bottom = view()->bounds().height();
    pkView_->setFrame(QRectF(0, bottom - JVPickView::kHeight, kWidth, JVPickView::kHeight));
    pkView_->setHidden(false);
    view()->bringSubviewToFront(pkView_);
}

void LocationHome::qxView(View*, Button* button) {
    if (!button || button->tag() < JVPickView::kConfirmTag || !pkView_) return;
    const int row = std::max(0, pkView_->selectedRow());
    param().setLimit(std::to_string(row));
    const double span = spanForRange(row);
    mapView_->setRegion({mapView_->centerCoordinate(), {span, span}}, true);
    needUpdate_ = false;
    reloadData();
}

void LocationHome::reloadData() {
    if (!nearby()) return;
    QXViewController::reloadData();
    dataArray_.clear();
    markAnnotation();
    param().setPage("1");
    param().setLon(degrees(coord_.longitude));
    param().setLat(degrees(coord_.latitude));
    if (const auto& uid = session().userId()) param().setUid(*uid);
    param().setType(std::to_string(type_ + 1));
    session().systemLocation(param().param(), this);
}

void LocationHome::didLoad(const Value& reply, QXRequest* request) {
    const std::string asked = request ? request->params().getStringValueForKey("t", "") : "";
    // The pins of a kind the user has since left are not shown.
    if (asked != param().type()) return;
    const int kind = Value(asked).intValue() - 1;
    for (const Value& element : reply["result"].items()) {
        const Dict* row = element.dict();
        if (!row) continue;
        // A thing without a position gets no pin, rather than one off Africa.
        const std::optional<double> latitude = degreesOf(*row, "latitude");
        const std::optional<double> longitude = degreesOf(*row, "longitude");
        if (!latitude || !longitude || (*latitude == 0 && *longitude == 0)) continue;
        auto pin = std::make_shared<JVAnnotation>();
        pin->setPid(row->getStringValueForKey("pid", "0"));
        pin->setTitle(QString::fromStdString(row->getStringValueForKey("name", "")));
        pin->setSubtitle(QString::fromStdString(row->getStringValueForKey("text", "")));
        pin->setImgUrl(row->getStringValueForKey("pic_url", ""));
        pin->setCoordinate({*latitude, *longitude});
        pin->setKind(kind);
        dataArray_.push_back(std::move(pin));
    }
    markAnnotation();
    needUpdate_ = false;
}

void LocationHome::markAnnotation() {
    if (!mapView_) return;
    std::vector<std::shared_ptr<MapAnnotation>> old = mapView_->annotations();
    std::erase(old, mapView_->userLocationAnnotation());
    mapView_->removeAnnotations(old);
    for (const auto& pin : dataArray_)
        mapView_->addAnnotation(pin);
}

AnnotationView* LocationHome::viewForAnnotation(MapView*,
                                                const std::shared_ptr<MapAnnotation>& annotation) {
    auto pin = std::dynamic_pointer_cast<JVAnnotation>(annotation);
    if (!pin) return nullptr;
    auto* view = new AnnotationView(annotation);
    view->setPinColor(AnnotationView::PinColor::Red);
    view->setAnimatesDrop(true);
    view->setCanShowCallout(true);
    if (pin->kind() == JVAnnotation::kSinglePin) return view;
    auto* picture = new NetButton(QRectF(0, 0, 40, 30));
    picture->titleLabel()->setTag(Value(pin->pid()).intValue());
    picture->setImgUrl(pin->imgUrl());
    picture->setAccessibleName(pin->title() + QStringLiteral(" 图片"));
    picture->load();
    view->setLeftCalloutAccessoryView(picture);
    view->setRightCalloutAccessoryView(Button::withType(Button::Type::DetailDisclosure));
    return view;
}

void LocationHome::calloutAccessoryControlTapped(MapView*, AnnotationView* view,
                                                 platform::ui::Control*) {
    if (auto pin = std::dynamic_pointer_cast<JVAnnotation>(view ? view->annotation() : nullptr))
        openPin(*pin);
}

void LocationHome::openPin(const JVAnnotation& pin) {
    const QString caption = pin.kind() >= 0 && pin.kind() < int(kKindCaptions.size())
                                ? QString::fromStdString(kKindCaptions[std::size_t(pin.kind())])
                                : QString();
    switch (pin.kind()) {
        case kNewBuild: {
            Route project = Route::toObject(Destination::Project, pin.pid());
            project.title = caption;
            Navigator::open(this, project);
            break;
        }
        case kSecondHand:
        case kRental: {
            auto* detail = new HouseDetail;
            detail->setTitle(caption);
            detail->param().setApi(pin.kind() == kRental ? "rent" : "oldhouse");
            detail->param().setRid(pin.pid());
            Navigator::push(this, detail);
            break;
        }
        case kFriends:
        case kUsers:
            RootScreenServices::shared().showUserInfo(Value(pin.pid()).intValue());
            break;
        default:
            break;
    }
}

}  // namespace tovera
