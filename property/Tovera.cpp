#include "property/Tovera.h"

#include <QMetaObject>

#include <chrono>

#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/NoticeView.h"
#include "platform/Alert.h"
#include "platform/Location.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Image.h"
#include "property/HomeCell.h"
#include "property/MenuIcons.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::IndexPath;
using platform::ui::TabBar;
using platform::ui::TabBarItem;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kTabBarHeight = 49;
constexpr double kBadgeSide = 25;
constexpr std::string_view kPollApi = "newmsg";

QPointer<Tovera>& instance() {
    static QPointer<Tovera> root;
    return root;
}

// The tab items: the home list, then the four menu pages.
struct TabSpec {
    const char* title;
    const char* icon;
};
constexpr TabSpec kTabs[Tovera::kTabCount] = {
    {"首页", "fic_tovera"},    {"房产", "fic_news"},    {"互动", "fic_ask"},
    {"关注", "fic_recommend"}, {"我的", "fic_profile"},
};

}  // namespace

Tovera::Tovera(QObject* parent) : QXViewController(false, parent) {
    setTitle(QStringLiteral("安家房产网"));
    param().setType("4");

    session_ = DSTovera::fromPreferences();
    session_->setLoginPromptHandler([self = QPointer(this)](int index) {
        if (index == 0 && self) self->openLogin();
    });

    instance() = this;
    setSession(session_.get());
    RootScreenServices::install(this);
}

Tovera::~Tovera() {
    platform::timers().cancel(updateTimer_);
    if (&RootScreenServices::shared() == this) RootScreenServices::install(nullptr);
    // The list is off the content area while a menu page shows.
    if (tableView_ && !tableView_->parent()) delete tableView_.data();
}

Tovera* Tovera::toveraViewController() {
    return instance();
}

ImageViewShow* Tovera::imgViewShow() {
    return ImageViewShow::inWindow(platform::ui::Window::keyWindow());
}

// ---- View ------------------------------------------------------------------

void Tovera::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(NSUtil::listview_item());
    contentView_ = new View(QRectF(0, 0, kWidth, kHeight - kTabBarHeight));
    root->addSubview(contentView_);
    tableView_ = new TableView(contentView_->bounds(), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    contentView_->addSubview(tableView_);

    tabBar_ = new TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight));
    QList<TabBarItem*> items;
    for (int i = 0; i < kTabCount; ++i)
        items << NSUtil::skinTabItem(QString::fromUtf8(kTabs[i].title), kTabs[i].icon, i);
    tabBar_->setItems(items);
    tabBar_->setDelegate(this);
    root->addSubview(tabBar_);
    setView(root);
}

void Tovera::viewDidLoad() {
    // The first page is asked for first: the service answers while the rest
    // of the screen (and the window around it) is built.
    reloadData();
    // The service runs for the screens that ask for a position later.
    platform::Location::shared().startUpdatingLocation(nullptr);

    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("切换城市"), BarButtonItem::Style::Plain, [self = QPointer(this)] {
            if (self) self->chooseCity();
        }));
    navigationItem()->setLeftBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("搜索"), BarButtonItem::Style::Plain, [self = QPointer(this)] {
            if (self) self->openLocalSearch();
        }));
    if (platform::preferences().contains(PrefKey::kCity)) {
        showCityOnButton();
    } else {
        // No city chosen yet: the choice comes first, over this screen once
        // it is in place.
        QMetaObject::invokeMethod(
            this, [this] { chooseCity(); }, Qt::QueuedConnection);
    }
    tableView_->setBackgroundColor(NSUtil::listview_item());
    tableView_->setRowHeight(HomeCell::kHeight);

    if (!tabBar_->selectedItem()) tabBar_->setSelectedItem(tabBar_->items().value(0));
    const double w = tabBar_->bounds().width();
    noticeView_ =
        new NoticeView(QRectF(int(2 * w / kTabCount - kBadgeSide), 0, kBadgeSide, kBadgeSide));
    noticeView_->setNum(0);
    tabBar_->addSubview(noticeView_);
    tabBarDidSelectItem(tabBar_, tabBar_->selectedItem());

    addRefreshHeader(tableView_);

    newMessage();
    updateTimer_ = platform::timers().schedule(
        std::chrono::seconds(kPollSeconds),
        [self = QPointer(this)] {
            if (self) self->newMessage();
        },
        true);
}

void Tovera::viewWillAppear(bool) {
    if (platform::ui::NavigationController* nav = navigationController())
        NavigationStyle::applySkin(nav->navigationBar());
    showCityOnButton();
    platform::Preferences& prefs = platform::preferences();
    if (prefs.contains(PrefKey::kUpdate)) {
        reloadContent();
        prefs.remove(PrefKey::kUpdate);
    }
}

void Tovera::showCityOnButton() {
    const std::optional<std::string> city = platform::preferences().string(PrefKey::kCity);
    BarButtonItem* button = navigationItem()->rightBarButtonItem();
    if (city && button) button->setTitle(QString::fromStdString(*city));
}

void Tovera::setContent(View* view) {
    if (!contentView_ || !view) return;
    for (QWidget* child : contentView_->subviews()) {
        if (child == view) continue;
        if (auto* old = qobject_cast<View*>(child))
            old->removeFromSuperview();
        else
            child->deleteLater();
    }
    if (view->parentWidget() != contentView_) contentView_->addSubview(view);
    view->setFrame(QRectF(QPointF(0, 0), contentView_->bounds().size()));
    view->show();
}

int Tovera::selectedTab() const {
    return tabBar_ && tabBar_->selectedItem() ? tabBar_->indexOfItem(tabBar_->selectedItem()) : -1;
}

void Tovera::tabBarDidSelectItem(TabBar* bar, TabBarItem* item) {
    const int index = bar && item ? bar->indexOfItem(item) : 0;
    MenuIcons* old = menu_;
    if (index <= 0) {
        menu_ = nullptr;
        setContent(tableView_);
    } else {
        // The followed-content page shows the unread counts: ask for fresh ones.
        if (index == 1 || index == 3) newMessage();
        menu_ = new MenuIcons(this, index, this);
        setContent(menu_->view());
    }
    if (old) old->deleteLater();
}

void Tovera::reloadContent() {
    if (menu_)
        menu_->reloadData();
    else if (tableView_)
        tableView_->reloadData();
}

// ---- Root-screen services --------------------------------------------------

bool Tovera::checkLogin() {
    return session_->checkLogin();
}

void Tovera::alertViewTologin() {
    platform::Alert prompt{"提示", "您还没有登录，请登录!", {"登录", "取消"}, 0, {}};
    prompt.onButton = [self = QPointer(this)](int index) {
        if (index == 0 && self) self->openLogin();
    };
    platform::showAlert(std::move(prompt));
}

void Tovera::openLogin() {
    Navigator::open(this, {Destination::Login});
}

void Tovera::didSignIn() {
    newMessage();
}

void Tovera::reselectTab() {
    if (tabBar_ && tabBar_->selectedItem()) tabBarDidSelectItem(tabBar_, tabBar_->selectedItem());
}

void Tovera::chooseCity() {
    Navigator::present(this, {Destination::ChooseCity});
}

void Tovera::openLocalSearch() {
    Navigator::open(this, {Destination::LocalSearch});
}

bool Tovera::searchFromKeyboard() {
    openLocalSearch();
    return true;
}

// ---- Home list --------------------------------------------------------------

void Tovera::reloadData() {
    loadFirstPage();
}

void Tovera::dataGrow() {
    param().setMore("1");
    QXViewController::dataGrow();
}

void Tovera::doRequest() {
    session_->systemHome(param().param(), this);
}

bool Tovera::isPoll(const QXRequest* request) {
    return request && request->params().getStringValueForKey("api", "") == kPollApi;
}

void Tovera::requestDidLoad(QXRequest* request, const Value& reply) {
    if (isPoll(request))
        didLoadUnread(reply);
    else
        QXViewController::requestDidLoad(request, reply);
}

void Tovera::requestDidFailWithError(QXRequest* request, const Error& error) {
    // The poll fails silently and leaves the list (and its overlay) alone.
    if (isPoll(request)) {
        platform::logLine("newmsg failed");
        return;
    }
    QXViewController::requestDidFailWithError(request, error);
}

void Tovera::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

int Tovera::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* Tovera::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<HomeCell*>(table->dequeueReusableCellWithIdentifier("HomeCell"));
    if (!cell) cell = new HomeCell;
    const Array& rows = items();
    const Value row =
        path.row >= 0 && path.row < int(rows.size()) ? rows[std::size_t(path.row)] : Value();
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setTag(path.row);
    cell->setDelegate(this);
    auto operation = std::make_unique<GetImageOperation>(path.row, cell);
    operation->setImageURL(row.getStringValueForKey("image", ""));
    GetImageOperation::enqueue(std::move(operation), loadImagesOperationQueue_);
    return cell;
}

double Tovera::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return HomeCell::kHeight;
}

void Tovera::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    const Array& rows = items();
    if (path.row >= 0 && path.row < int(rows.size()))
        Navigator::open(
            this, Route::toObject(Destination::Project,
                                  rows[std::size_t(path.row)].getStringValueForKey("id", "")));
    table->deselectRowAtIndexPath(path, true);
}

// ---- Unread counts ------------------------------------------------------------

void Tovera::newMessage() {
    if (!session_->isUserLoggedin()) return;
    const std::vector<std::string>& times = session_->lastUpdateTime();
    newmsgParam_ = Dict{};
    newmsgParam_.set("api", std::string(kPollApi));
    newmsgParam_.set("uid", session_->userId().value_or(""));
    newmsgParam_.set("lasttime", times[0] + "," + times[1] + "," + times[2] + "," + times[3]);
    session_->userNewmsg(newmsgParam_, this);
}

void Tovera::didLoadUnread(const Value& reply) {
    session_->setNumber(reply.getStringValueForKey("number", "0,0,0,0"));
    showUnreadTotal();
    // Page 3 carries the badges; page 1 is reloaded as it always was.
    const int tab = selectedTab();
    if (tab == 1 || tab == 3) reloadContent();
}

void Tovera::showUnreadTotal() {
    const std::vector<std::string> parts = NSUtil::explode(session_->number(), ",");
    if (parts.size() != 4 || !noticeView_) return;
    int sum = 0;
    for (const std::string& part : parts)
        sum += Value(part).intValue();
    noticeView_->setNum(sum);
}

}  // namespace tovera
