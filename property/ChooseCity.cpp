#include "property/ChooseCity.h"

#include "core/DSTovera.h"
#include "core/Gb18030.h"
#include "core/PreferenceKeys.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::IndexPath;
using platform::ui::Label;
using platform::ui::NavigationBar;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {

constexpr double kBarHeight = 44;

QString qtext(const Value& record, std::string_view key) {
    return QString::fromStdString(record.getStringValueForKey(key, ""));
}

}  // namespace

ChooseCity::ChooseCity(QXViewController* home, QObject* parent)
    : QXViewController(false, parent), home_(home) {
    setTitle(QStringLiteral("切换城市"));
    // Leaving without a choice is offered only once a city is held: on a
    // first start the app has no city until one is chosen here.
    if (platform::preferences().contains(PrefKey::kCityId))
        navigationItem()->setLeftBarButtonItem(
            NavigationStyle::barButtonItem(QStringLiteral("取消"), BarButtonItem::Style::Plain,
                                           [this] { dismissModalViewControllerAnimated(true); }));
    // A list that could not be loaded is asked for again when the user
    // comes back to the window (a first start has no way past this screen).
    if (platform::ui::Application* runtime = platform::ui::Application::instance())
        connect(runtime, &platform::ui::Application::didBecomeActive, this, [this] {
            if (isViewLoaded() && dataArray_.empty()) reloadData();
        });
}

ChooseCity::~ChooseCity() {
    platform::Location::shared().stopUpdatingLocation(this);
}

void ChooseCity::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 460));
    root->setBackgroundColor(Qt::white);
    // Presented over the whole window, the screen brings its own bar.
    auto* bar = new NavigationBar;
    bar->setFrame(QRectF(0, 0, 320, kBarHeight));
    NavigationStyle::applySkin(bar);
    bar->setItems(navigationItem(), nullptr);
    root->addSubview(bar);
    tableView_ =
        new TableView(QRectF(0, kBarHeight, 320, 460 - kBarHeight), TableView::Style::Plain);
    tableView_->setAutoresizingMask(View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    setView(root);
    addRefreshHeader(tableView_);
}

void ChooseCity::viewWillAppear(bool) {
    if (dataArray_.empty() && !listPending_) doRequest();
    if (locality_ == QString::fromUtf8(kUnknown))
        platform::Location::shared().startUpdatingLocation(this);
}

void ChooseCity::reloadData() {
    if (!listPending_) doRequest();
}

void ChooseCity::doRequest() {
    listPending_ = true;
    session().getSystemCitylist(param().param(), this);
}

void ChooseCity::didLoad(const Value& reply, QXRequest*) {
    listPending_ = false;
    dataArray_.clear();
    for (const Value& city : reply["result"].items())
        if (city.isDict()) dataArray_.push_back(city);
    tableView_->setTag(reply.getIntValueForKey("total", int(dataArray_.size())));
    doneLoadingTableViewData(tableView_);
}

// The load-failure alert with a way to try again: on a first start this
// screen is the only way into the app.
void ChooseCity::requestDidFailWithError(QXRequest*, const Error&) {
    listPending_ = false;
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    if (reloading()) doneLoadingTableViewData(nullptr);
    platform::Alert alert{"提示", "加载失败，请重试!", {"确定", "重试"}, 0, {}};
    alert.onButton = [self = QPointer(this)](int index) {
        if (index == 1 && self) self->reloadData();
    };
    platform::showAlert(std::move(alert));
}

// ---- Table ----------------------------------------------------------------

int ChooseCity::numberOfRowsInSection(TableView*, int section) {
    return section == 0 ? 1 : int(dataArray_.size());
}

TableViewCell* ChooseCity::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    const QString identifier = QStringLiteral("CityCell");
    TableViewCell* cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Default, identifier);
        cell->textLabel()->setTextAlignment(Qt::AlignCenter);
        cell->setSelectedBackgroundView(NSUtil::skinSelectionView());
    }
    cell->textLabel()->setText(path.section == 0 ? locality_ : qtext(dataArray_[path.row], "city"));
    // The city in use carries a check mark.
    const bool current =
        path.section == 1 && platform::preferences().string(PrefKey::kCityId) ==
                                 qtext(dataArray_[path.row], "cityid").toStdString();
    cell->setAccessoryType(current ? TableViewCell::Accessory::Checkmark
                                   : TableViewCell::Accessory::None);
    return cell;
}

QString ChooseCity::titleForHeaderInSection(TableView*, int section) {
    return section == 0 ? QStringLiteral("当前位置") : QStringLiteral("选择城市");
}

void ChooseCity::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    if (path.section == 1) {
        const Value& city = dataArray_[path.row];
        if (!city.isDict()) return;
        keepCity(*city.dict());
    } else {
        // The place name goes through the wire encoding, as the service's
        // city names did, so that both compare alike.
        const std::string place =
            gb18030::toUtf8Lossy(gb18030::fromUtf8Lossy(locality_.toStdString()));
        setLocality(QString::fromStdString(place));
        if (const Dict* city = cityWithin(locality_)) {
            keepCity(*city);
        } else if (!platform::preferences().contains(PrefKey::kCityId)) {
            // Closing now would leave the app without any city: the user
            // picks one from the list instead.
            table->deselectRowAtIndexPath(path, true);
            NSUtil::makeText("请从列表中选择城市").show();
            return;
        }
    }
    finishChoice();
    table->deselectRowAtIndexPath(path, true);
}

// The longest name wins, so that "马鞍山市" is 马鞍山 even when 鞍山 is
// listed first.
const Dict* ChooseCity::cityWithin(const QString& place) const {
    const Dict* found = nullptr;
    qsizetype foundLength = 0;
    for (const Value& record : dataArray_) {
        const QString name = qtext(record, "city");
        const qsizetype length = name.toUcs4().size();
        if (length >= 2 && length > foundLength && place.contains(name)) {
            found = record.dict();
            foundLength = length;
        }
    }
    return found;
}

void ChooseCity::keepCity(const Dict& city) {
    platform::Preferences& prefs = platform::preferences();
    prefs.setString(PrefKey::kCityId, city.getStringValueForKey("cityid", ""));
    prefs.setString(PrefKey::kCity, city.getStringValueForKey("city", ""));
    prefs.setString(PrefKey::kGeo, city.getStringValueForKey("lat", "") + "," +
                                       city.getStringValueForKey("lon", ""));
}

void ChooseCity::finishChoice() {
    platform::Preferences& prefs = platform::preferences();
    session().setCityId(prefs.string(PrefKey::kCityId));
    if (!prefs.synchronize()) platform::logLine("city choice: preferences not written");
    if (home_) home_->reloadData();
    dismissModalViewControllerAnimated(true);
}

// ---- Position -------------------------------------------------------------

void ChooseCity::locationDidUpdate(const platform::Coordinate& position) {
    platform::Location::shared().stopUpdatingLocation(this);
    geocoder_ = std::make_unique<platform::ReverseGeocoder>(position);
    geocoder_->start(this);
}

void ChooseCity::locationDidFail(const platform::LocationError& error) {
    platform::Location::shared().stopUpdatingLocation(this);
    platform::logLine("city choice: no position: " + error.message);
}

void ChooseCity::reverseGeocoderDidFindPlacemark(const platform::Placemark& placemark) {
    setLocality(placemark.locality.empty() ? QString::fromUtf8(kUnknown)
                                           : QString::fromStdString(placemark.locality));
}

void ChooseCity::reverseGeocoderDidFail(const std::string& message) {
    platform::logLine("city choice: no place for the position: " + message);
    setLocality(QString::fromUtf8(kUnknown));
}

void ChooseCity::setLocality(const QString& text) {
    locality_ = text;
    if (tableView_) tableView_->reloadData();
}

}  // namespace tovera
