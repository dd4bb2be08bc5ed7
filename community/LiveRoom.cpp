#include "community/LiveRoom.h"

#include "community/CommunityText.h"
#include "community/DiscussList.h"
#include "community/LiveList.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ButtonsView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::TabBarItem;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kMargin = 8;
constexpr double kTitleHeight = 28;
constexpr double kLineHeight = 20;
constexpr double kStripHeight = 36;
constexpr double kTabBarHeight = 49;
// "isend" of a closed room.
constexpr int kClosed = 2;

// The interval of `row`, 0 (no polling) outside the list.
int intervalAt(int row) {
    const std::vector<int> intervals = LiveRoom::refreshIntervals();
    return row >= 0 && row < int(intervals.size()) ? intervals[row] : 0;
}

}  // namespace

LiveRoom::LiveRoom(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("直播室"));
    param().setRid("0");
}

LiveRoom::~LiveRoom() {
    stopTimer();
}

std::vector<int> LiveRoom::refreshIntervals() {
    std::vector<int> intervals;
    const Value configured = NSUtil::config("refreshtime");
    for (const Value& seconds : configured.items())
        intervals.push_back(std::max(0, seconds.intValue()));
    return intervals;
}

int LiveRoom::storedIntervalRow() {
    const std::optional<std::string> stored = platform::preferences().string(PrefKey::kRefreshTime);
    const int row = stored ? Value(*stored).intValue() : 0;
    return row >= 0 && row < int(refreshIntervals().size()) ? row : 0;
}

std::string LiveRoom::roomId() const {
    return const_cast<LiveRoom*>(this)->param().rid();
}

void LiveRoom::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    titleLabel_ = new Label(QRectF(kMargin, 4, kWidth - 2 * kMargin, kTitleHeight), root);
    titleLabel_->setFont(NSUtil::bigFont());
    titleLabel_->setTextColor(NSUtil::black());
    const double second = titleLabel_->frame().bottom();
    dateLabel_ = new Label(QRectF(kMargin, second, 170, kLineHeight), root);
    dateLabel_->setFont(NSUtil::smallFont());
    dateLabel_->setTextColor(NSUtil::secondcolor());
    userBtn_ = new Button(QRectF(180, second, kWidth - 180 - kMargin, kLineHeight), root);
    userBtn_->setFont(NSUtil::smallFont());
    userBtn_->setTitleColor(NSUtil::click());
    userBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    connect(userBtn_, &platform::ui::Control::touchUpInside, this, [this] { showUser(); });
    btnView_ = new ButtonsView(QRectF(0, second + kLineHeight + 4, kWidth, kStripHeight), root);
    tabBar_ =
        new platform::ui::TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setItems({new TabBarItem(QStringLiteral("直播消息"), {}, kSend, this),
                       new TabBarItem(QStringLiteral("关闭直播"), {}, kClose, this),
                       new TabBarItem(QStringLiteral("刷新频率"), {}, kInterval, this),
                       new TabBarItem(QStringLiteral("参与讨论"), {}, kDiscuss, this)});
    tabBar_->setDelegate(this);
    const double top = btnView_->frame().bottom();
    contentView_ = new View(QRectF(0, top, kWidth, tabBar_->frame().top() - top), root);
    contentView_->setAutoresizingMask(View::FlexibleSize);
    setView(root);
}

void LiveRoom::viewDidLoad() {
    QXViewController::viewDidLoad();
    NSUtil::createBtns({"直播区", "讨论区"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    // Each sub-list reads the room of this screen; loading its view starts
    // its first request.
    liveList_ = new LiveList(this);
    discussList_ = new DiscussList(this);
    for (QXViewController* list : {static_cast<QXViewController*>(liveList_),
                                   static_cast<QXViewController*>(discussList_)}) {
        const std::string api = list->param().api();
        list->setParam(param());
        list->param().setApi(api);
        list->setParentViewController(this);
        list->view()->setParent(contentView_);
        list->view()->hide();
    }
    tabItems_ = tabBar_->items();
    tabBar_->setItems({});
    Button* selected = NSUtil::getSelectedButton(btnView_);
    if (!selected) selected = qobject_cast<Button*>(btnView_->subviews().value(0));
    btnPressed(selected);
}

void LiveRoom::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    shown_ = true;
    // A post written above flags the room; the sub-list reads again anyway.
    takeRefreshFlag();
    if (detail_.empty())
        reloadData();
    else
        refreshLive();
    updateTabbar();
}

void LiveRoom::viewDidDisappear(bool animated) {
    QXViewController::viewDidDisappear(animated);
    shown_ = false;
    stopTimer();
    // The picker chooses for this room only.
    if (pickView_ && !pickView_->isHidden()) pickView_->setHidden(true);
}

void LiveRoom::btnPressed(Button* button) {
    if (!button) return;
    btnsView(btnView_, button);
    if (btnView_->subviews().indexOf(button) == kDiscussion)
        discussRoom();
    else
        liveRoom();
}

void LiveRoom::liveRoom() {
    showSubList(kMessages);
}

void LiveRoom::discussRoom() {
    showSubList(kDiscussion);
}

void LiveRoom::showSubList(SubList which) {
    QXViewController* shown = which == kDiscussion ? static_cast<QXViewController*>(discussList_)
                                                   : static_cast<QXViewController*>(liveList_);
    QXViewController* other = which == kDiscussion ? static_cast<QXViewController*>(liveList_)
                                                   : static_cast<QXViewController*>(discussList_);
    if (!shown) return;
    other->view()->hide();
    contentView_->setTag(which);
    View* page = shown->view();
    page->setFrame(contentView_->bounds());
    shown->beginAppearance(false);
    page->show();
    shown->endAppearance(false);
    updateTabbar();
}

void LiveRoom::reloadData() {
    QXViewController::reloadData();
    detail_ = Dict();
    Dict room;
    room.setString(roomId(), "id");
    session().getLiveDetail(room, this);
}

void LiveRoom::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == "close") {
        // Opened or closed: back to the room list, which shows the change.
        platform::ui::NavigationController* nav = navigationController();
        if (!nav) return;
        const QList<platform::ui::ViewController*> stack = nav->viewControllers();
        const qsizetype index = stack.indexOf(this);
        if (index > 0)
            if (auto* beneath = qobject_cast<QXViewController*>(stack[index - 1]))
                beneath->reloadData();
        if (nav->topViewController() == this) nav->popViewControllerAnimated(true);
        return;
    }
    if (const Dict* record = reply.dict()) detail_.merge(*record);
    titleLabel_->setText(recordText(detail_, "title"));
    dateLabel_->setText(recordText(detail_, "start_at"));
    userBtn_->setTitle(recordText(detail_, "name"));
    updateTabbar();
}

bool LiveRoom::isOpen() const {
    // The service always says. A record without "isend" counts as closed
    // (the reader would give 0, which reads as open and would poll a room
    // whose state is unknown); so does one not yet loaded.
    if (!detail_.contains("isend")) return false;
    return detail_.getIntValueForKey("isend", kClosed) != kClosed;
}

void LiveRoom::updateTabbar() {
    if (tabItems_.size() <= kDiscuss) return;
    const std::optional<std::string>& me = session().userId();
    const bool signedIn = session().isUserLoggedin();
    const bool owner =
        signedIn && me && !me->empty() && detail_.getStringValueForKey("uid", "") == *me;
    QList<int> visible{kInterval};
    if (signedIn && contentView_->tag() == kDiscussion)
        visible = {kDiscuss, kInterval};
    else if (owner && contentView_->tag() == kMessages)
        visible = {kSend, kOpenClose, kInterval};

    TabBarItem* openClose = tabItems_[kOpenClose];
    if (!isOpen()) {
        openClose->setTag(kReopen);
        openClose->setTitle(QStringLiteral("打开直播"));
        openClose->setImage(NSUtil::skinImage("bottom_restartlive"));
        if (visible.contains(kOpenClose)) visible = {kOpenClose};
        stopTimer();
    } else {
        openClose->setTag(kClose);
        openClose->setTitle(QStringLiteral("关闭直播"));
        openClose->setImage(NSUtil::skinImage("bottom_endlive.png"));
        // Polling runs only while the room is on screen: a reply that comes
        // after the user left starts nothing.
        if (!refreshTimer_ && shown_) startTimer(intervalAt(storedIntervalRow()));
    }
    QList<TabBarItem*> items;
    for (int index : visible)
        items << tabItems_[index];
    tabBar_->setItems(items);
}

void LiveRoom::startTimer(int seconds) {
    if (seconds <= 0) return;
    refreshTimer_ = platform::timers().schedule(
        std::chrono::seconds(seconds),
        [self = QPointer<LiveRoom>(this)] {
            if (self) self->refreshLive();
        },
        true);
}

void LiveRoom::stopTimer() {
    if (!refreshTimer_) return;
    platform::timers().cancel(*refreshTimer_);
    refreshTimer_.reset();
}

void LiveRoom::refreshLive() {
    if (contentView_->tag() == kDiscussion) {
        if (discussList_) discussList_->refreshNewest();
    } else if (liveList_) {
        liveList_->reloadData();
    }
}

void LiveRoom::liveSend() {
    Route form{Destination::AskForm, {}, QStringLiteral("直播消息")};
    form.param.setType("1");
    form.param.setRid(roomId());
    Navigator::open(this, form);
}

void LiveRoom::discussSend() {
    Route form{Destination::AskForm, {}, QStringLiteral("讨论")};
    form.param.setType("2");
    form.param.setRid(roomId());
    Navigator::open(this, form);
}

void LiveRoom::liveEnd() {
    if (!session().checkLogin()) return;
    // Its own record: the reply is told apart by "api".
    QXParam close;
    close.setRid(roomId());
    close.setType("2");
    close.setUid(session().userId().value_or("0"));
    close.setOperate(std::to_string(tabItems_[kOpenClose]->tag()));
    close.setApi("close");
    QXViewController::reloadData();
    session().userClose(close.param(), this);
}

void LiveRoom::liveRefresTime() {
    platform::ui::Window* window = platform::ui::Window::keyWindow();
    View* host = window ? static_cast<View*>(window) : view();
    if (!pickView_) {
        const QList<JVPickView*> found =
            host->findChildren<JVPickView*>(QString(), Qt::FindDirectChildrenOnly);
        pickView_ = found.isEmpty() ? JVPickView::hiddenIn(host, this) : found.first();
    }
    pickView_->setDelegate(this);
    QStringList titles;
    for (int seconds : refreshIntervals())
        titles << (seconds == 0 ? QString() : QStringLiteral("%1秒").arg(seconds));
    pickView_->showUnder(nullptr, titles);
    pickView_->selectRow(storedIntervalRow());
}

void LiveRoom::qxView(View* view, Button* button) {
    if (!pickView_ || view != pickView_ || !button) return;
    if (button->tag() <= 1) return;
    const int row = pickView_->selectedRow();
    if (row < 0) return;
    platform::preferences().setString(PrefKey::kRefreshTime, std::to_string(row));
    stopTimer();
    // A closed room is not polled, whatever the interval.
    if (isOpen() && shown_) startTimer(intervalAt(row));
}

void LiveRoom::showUser() {
    RootScreenServices::shared().showUserInfo(detail_.getIntValueForKey("uid", 0));
}

void LiveRoom::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    const qsizetype index = tabItems_.indexOf(item);
    if (index == kSend)
        liveSend();
    else if (index == kDiscuss)
        discussSend();
    else if (index == kInterval)
        liveRefresTime();
    else if (index == kOpenClose)
        liveEnd();
    tabBar->setSelectedItem(nullptr);
}

}  // namespace tovera
