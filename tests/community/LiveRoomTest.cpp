// Live rooms against the demo service: the room list and its tabs, a room's
// tab bar for each kind of viewer, opening and closing a room, the polling
// timer (moved forward on the timer facility's clock, never by sleeping)
// with the stored interval, the discussion growing in place while further
// pages and the reader's place stay, and the failure alerts.
#include "ask/AskForm.h"
#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "community/DiscussList.h"
#include "community/LiveHome.h"
#include "community/LiveHomeItem.h"
#include "community/LiveList.h"
#include "community/LiveListItem.h"
#include "community/LiveRoom.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "framework/ButtonsView.h"
#include "framework/JVPickView.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "platform/Preferences.h"
#include "platform/Timers.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using namespace std::chrono_literals;

namespace {

// demo (user 1) owns 80001 (open) and 80074 (closed); user 12 owns 80036.
constexpr const char* kOwnOpen = "80001";
constexpr const char* kOwnClosed = "80074";
constexpr const char* kOthersOpen = "80036";
// 24 posts in its discussion, none added by a broadcast script.
constexpr const char* kBusy = "80019";

class LiveRoomTest : public tovera::testing::CommunityUiTest {
protected:
    void SetUp() override {
        CommunityUiTest::SetUp();
        session().setCityId("3401");
        platform::preferences().setString(PrefKey::kRefreshTime, "0");
    }

    LiveRoom* openRoom(const std::string& id) {
        auto* room = new LiveRoom;
        room->param().setRid(id);
        open(room);
        EXPECT_TRUE(waitFor([&] { return !room->detail().empty(); }));
        EXPECT_TRUE(waitFor([&] { return !room->liveList()->items().empty(); }));
        processEvents();
        return room;
    }
    static QStringList tabTitles(LiveRoom* room) {
        QStringList titles;
        for (TabBarItem* item : room->tabBar()->items())
            titles << item->title();
        return titles;
    }
    static void choose(LiveRoom* room, const QString& title) {
        const QList<TabBarItem*> items = room->tabBar()->items();
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->title() == title) {
                room->tabBar()->chooseItem(i);
                processEvents();
                return;
            }
        ADD_FAILURE() << "no tab item " << title.toStdString();
    }
    static void showDiscussion(LiveRoom* room) {
        ASSERT_TRUE(tapSettled(findByText(room->btnView(), QStringLiteral("讨论区"))));
        ASSERT_EQ(room->contentView()->tag(), LiveRoom::kDiscussion);
    }
    // Posts to the room's discussion through the service, as the signed-in
    // user of the session.
    void discuss(const std::string& room, const std::string& text) {
        tovera::testing::RecordedReply reply;
        Dict post{{"t", "2"}, {"type", "2"}, {"id", room}, {"text", text}};
        session().userMessagePost(post, &reply);
        ASSERT_TRUE(waitFor([&] { return reply.done; }));
        ASSERT_EQ(reply.answer.getIntValueForKey("code", 1), 0);
    }
    // Scrolls `table` to its end and taps "加载更多".
    static bool loadMore(TableView* table) {
        const double end = table->contentSize().height() - table->bounds().height();
        table->setContentOffset(QPointF(0, std::max(0.0, end)));
        processEvents();
        return tapSettled(findByText(table, QStringLiteral("加载更多")));
    }
    static bool scheduled(LiveRoom* room) {
        return room->refreshTimer() && platform::timers().isScheduled(*room->refreshTimer());
    }
};

TEST_F(LiveRoomTest, TheTabsSendTheirListCodesAndARowOpensItsRoom) {
    as("demo");
    auto* home = open(new LiveHome);
    EXPECT_EQ(home->title(), QStringLiteral("直播"));
    ASSERT_TRUE(waitFor([&] { return !home->items().empty(); }));
    QStringList codes;
    codes << QString::fromStdString(sent("live/list.aspx").back().params["id"].toText());
    for (const char* tab : {"我的直播", "历史直播"}) {
        const std::size_t before = sent("live/list.aspx").size();
        ASSERT_TRUE(tapSettled(findByText(home->btnView(), QString::fromUtf8(tab))));
        codes << QString::fromStdString(nextRequest("live/list.aspx", before)["id"].toText());
        // The rows of the tab before stay until the new page is in.
        ASSERT_TRUE(waitFor([&] { return !home->loadingPage() && !home->items().empty(); }));
    }
    EXPECT_EQ(codes, (QStringList{"1", "3", "2"}));
    EXPECT_EQ(sent("live/list.aspx").back().params["page"].toText(), "1");

    processEvents();
    auto* row = cell<LiveHomeItem>(home->tableView(), 0);
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->userBtn()->isHidden());
    EXPECT_EQ(row->titleLbl()->text(),
              QString::fromStdString(home->items()[0].getStringValueForKey("title", "")));
    ASSERT_TRUE(tapSettled(row));
    auto* room = qobject_cast<LiveRoom*>(top());
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->roomId(), home->items()[0].getStringValueForKey("id", ""));
    EXPECT_EQ(room->title(), QStringLiteral("直播室"));

    // Opened from elsewhere under another name, a room keeps its title.
    Route fromFeed = Route::toObject(Destination::LiveRoom, "80001");
    fromFeed.title = QStringLiteral("直播间");
    std::unique_ptr<ViewController> other(Navigator::build(fromFeed));
    EXPECT_EQ(other->title(), QStringLiteral("直播室"));
    EXPECT_EQ(qobject_cast<LiveRoom*>(other.get())->roomId(), "80001");
}

TEST_F(LiveRoomTest, ANewRoomIsWrittenInThePostingForm) {
    as("demo");
    auto* home = open(new LiveHome);
    ASSERT_TRUE(waitFor([&] { return !home->items().empty(); }));
    tapRightButton(home);
    auto* form = qobject_cast<QXViewController*>(top());
    ASSERT_NE(form, home);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), QStringLiteral("发送直播"));
    EXPECT_EQ(form->param().type(), "5");
    EXPECT_EQ(form->param().api(), "livesend");
}

TEST_F(LiveRoomTest, TheTabBarOffersWhatTheViewerMayDo) {
    // Signed out: only the interval, on either sub-list.
    LiveRoom* room = openRoom(kOwnOpen);
    EXPECT_EQ(tabTitles(room), QStringList{QStringLiteral("刷新频率")});
    EXPECT_FALSE(room->titleLabel()->text().isEmpty());
    EXPECT_FALSE(room->dateLabel()->text().isEmpty());
    EXPECT_EQ(room->userBtn()->titleForState(Button::Normal), QStringLiteral("demo"));
    showDiscussion(room);
    EXPECT_EQ(tabTitles(room), QStringList{QStringLiteral("刷新频率")});
    nav()->popViewControllerAnimated(false);

    // The owner of an open room posts and may close it; in the discussion
    // they post like everyone else.
    as("demo");
    room = openRoom(kOwnOpen);
    EXPECT_EQ(tabTitles(room), (QStringList{QStringLiteral("直播消息"), QStringLiteral("关闭直播"),
                                            QStringLiteral("刷新频率")}));
    showDiscussion(room);
    EXPECT_EQ(tabTitles(room),
              (QStringList{QStringLiteral("参与讨论"), QStringLiteral("刷新频率")}));
    choose(room, QStringLiteral("参与讨论"));
    auto* form = qobject_cast<QXViewController*>(top());
    ASSERT_NE(form, room);
    EXPECT_EQ(form->title(), QStringLiteral("讨论"));
    EXPECT_EQ(form->param().type(), "2");
    EXPECT_EQ(form->param().rid(), kOwnOpen);
    nav()->popViewControllerAnimated(false);
    ASSERT_TRUE(tapSettled(findByText(room->btnView(), QStringLiteral("直播区"))));
    choose(room, QStringLiteral("直播消息"));
    form = qobject_cast<QXViewController*>(top());
    ASSERT_NE(form, room);
    EXPECT_EQ(form->title(), QStringLiteral("直播消息"));
    EXPECT_EQ(form->param().type(), "1");
    EXPECT_EQ(form->param().rid(), kOwnOpen);
    nav()->popViewControllerAnimated(false);
    nav()->popViewControllerAnimated(false);

    // Someone else's room: the interval only.
    room = openRoom(kOthersOpen);
    EXPECT_EQ(tabTitles(room), QStringList{QStringLiteral("刷新频率")});
}

TEST_F(LiveRoomTest, AClosedRoomOffersOnlyReopeningAndIsNotPolled) {
    platform::preferences().setString(PrefKey::kRefreshTime, "1");
    as("demo");
    auto* home = open(new LiveHome);
    ASSERT_TRUE(waitFor([&] { return !home->items().empty(); }));
    LiveRoom* room = openRoom(kOwnClosed);
    EXPECT_EQ(tabTitles(room), QStringList{QStringLiteral("打开直播")});
    EXPECT_FALSE(room->refreshTimer());

    const std::size_t lists = sent("live/list.aspx").size();
    const std::size_t before = sent("user/close.aspx").size();
    choose(room, QStringLiteral("打开直播"));
    const Dict request = nextRequest("user/close.aspx", before);
    EXPECT_EQ(request["operate"].toText(), "1");
    EXPECT_EQ(request["code"].toText(), "1");
    EXPECT_EQ(request["type"].toText(), "2");
    EXPECT_EQ(request["id"].toText(), kOwnClosed);
    EXPECT_EQ(request["uid"].toText(), "1");
    // Back on the room list, which reads again.
    ASSERT_TRUE(waitFor([&] { return top() == home; }));
    EXPECT_TRUE(waitFor([&] { return sent("live/list.aspx").size() > lists; }));

    // Reopened, it is polled and may be closed again.
    room = openRoom(kOwnClosed);
    EXPECT_EQ(tabTitles(room), (QStringList{QStringLiteral("直播消息"), QStringLiteral("关闭直播"),
                                            QStringLiteral("刷新频率")}));
    EXPECT_TRUE(scheduled(room));
    const std::size_t closes = sent("user/close.aspx").size();
    choose(room, QStringLiteral("关闭直播"));
    EXPECT_EQ(nextRequest("user/close.aspx", closes)["operate"].toText(), "2");
    ASSERT_TRUE(waitFor([&] { return top() == home; }));
}

TEST_F(LiveRoomTest, TheDiscussionGrowsInPlaceWhilePolled) {
    platform::preferences().setString(PrefKey::kRefreshTime, "1");  // 10 seconds
    as("wangfang");
    LiveRoom* room = openRoom(kBusy);
    ASSERT_TRUE(scheduled(room));
    showDiscussion(room);
    DiscussList* list = room->discussList();
    ASSERT_TRUE(waitFor([&] { return list->items().size() == 10; }));
    ASSERT_GT(list->total(), 20);
    ASSERT_TRUE(loadMore(list->tableView()));
    ASSERT_TRUE(waitFor([&] { return list->items().size() == 20; }));
    const Value oldest = list->items().back();
    const int total = list->total();
    list->tableView()->setContentOffset(QPointF(0, 300));
    processEvents();
    const double offset = list->tableView()->contentOffset().y();
    ASSERT_GT(offset, 0);

    discuss(kBusy, "第一条新讨论");
    discuss(kBusy, "第二条新讨论");
    const std::size_t before = sent("live/discuss_list.aspx").size();
    platform::timers().fastForward(10s);
    const Dict tick = nextRequest("live/discuss_list.aspx", before);
    EXPECT_EQ(tick["page"].toText(), "1");
    EXPECT_EQ(tick["id"].toText(), kBusy);
    ASSERT_TRUE(waitFor([&] { return list->items().size() == 22; }));
    EXPECT_EQ(list->total(), total + 2);
    EXPECT_EQ(list->items()[0].getStringValueForKey("content", ""), "第二条新讨论");
    EXPECT_EQ(list->items()[1].getStringValueForKey("content", ""), "第一条新讨论");
    EXPECT_EQ(list->items().back(), oldest) << "page 2 stays";
    EXPECT_EQ(list->param().page(), "2");
    EXPECT_GT(list->tableView()->contentOffset().y(), offset)
        << "the posts being read stay in view below the new ones";

    // The next page does not repeat the two posts the new ones pushed down.
    ASSERT_TRUE(loadMore(list->tableView()));
    ASSERT_TRUE(waitFor([&] { return list->items().size() > 22; }));
    EXPECT_EQ(int(list->items().size()), std::min(30, list->total()));
    EXPECT_NE(list->items()[22], oldest);

    // The messages are not asked for while the discussion is shown.
    const std::size_t details = sent("live/detail.aspx").size();
    platform::timers().fastForward(10s);
    EXPECT_TRUE(waitFor([&] { return sent("live/discuss_list.aspx").size() > before + 2; }));
    EXPECT_EQ(sent("live/detail.aspx").size(), details);
}

TEST_F(LiveRoomTest, AViewerJoinsTheDiscussionThroughThePostingForm) {
    as("wangfang");
    LiveRoom* room = openRoom(kBusy);
    showDiscussion(room);
    DiscussList* list = room->discussList();
    ASSERT_TRUE(waitFor([&] { return !list->items().empty(); }));
    choose(room, QStringLiteral("参与讨论"));
    auto* form = qobject_cast<AskForm*>(top());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(platform::ui::testing::type(form->contentText(), QStringLiteral("几点开始选房？")));
    const std::size_t before = sent("user/messagepost.aspx").size();
    tapRightButton(form);
    const Dict post = nextRequest("user/messagepost.aspx", before);
    EXPECT_EQ(post["type"].toText(), "2");
    EXPECT_EQ(post["id"].toText(), kBusy);
    // Back in the room, the post heads the discussion.
    ASSERT_TRUE(waitFor([&] { return top() == room; }));
    ASSERT_TRUE(waitFor([&] {
        return !list->items().empty() &&
               list->items()[0].getStringValueForKey("content", "") == "几点开始选房？";
    }));
    EXPECT_EQ(list->items()[0].getStringValueForKey("name", ""), "wangfang");
}

TEST_F(LiveRoomTest, TheMessagesAreReadAgainOnEachTick) {
    platform::preferences().setString(PrefKey::kRefreshTime, "2");  // 30 seconds
    LiveRoom* room = openRoom(kOwnOpen);
    ASSERT_TRUE(scheduled(room));
    LiveList* list = room->liveList();
    list->tableView()->setContentOffset(QPointF(0, 200));
    processEvents();
    const double offset = list->tableView()->contentOffset().y();
    ASSERT_GT(offset, 0);
    const std::size_t before = sent("live/detail.aspx").size();
    platform::timers().fastForward(29s);
    processEvents();
    EXPECT_EQ(sent("live/detail.aspx").size(), before);
    platform::timers().fastForward(1s);
    const Dict tick = nextRequest("live/detail.aspx", before);
    EXPECT_EQ(tick["page"].toText(), "1");
    EXPECT_EQ(tick["id"].toText(), kOwnOpen);
    // Read again in place: the reader stays where they were.
    ASSERT_TRUE(waitFor([&] { return list->tableView()->tag() > 0 && !list->items().empty(); }));
    processEvents();
    EXPECT_EQ(list->tableView()->contentOffset().y(), offset);
}

TEST_F(LiveRoomTest, AStoredIntervalOutsideTheListMeansNoPolling) {
    ASSERT_EQ(LiveRoom::refreshIntervals().size(), 5u);
    platform::preferences().setString(PrefKey::kRefreshTime, "9");
    EXPECT_EQ(LiveRoom::storedIntervalRow(), 0);
    LiveRoom* room = openRoom(kOwnOpen);
    EXPECT_FALSE(room->refreshTimer());
    // The picker opens on "no polling".
    choose(room, QStringLiteral("刷新频率"));
    ASSERT_NE(room->pickView(), nullptr);
    EXPECT_FALSE(room->pickView()->isHidden());
    EXPECT_EQ(room->pickView()->selectedRow(), 0);
    EXPECT_EQ(room->pickView()->titles().value(0), QString());
    EXPECT_EQ(room->pickView()->titles().value(1), QStringLiteral("10秒"));

    platform::preferences().setString(PrefKey::kRefreshTime, "-1");
    EXPECT_EQ(LiveRoom::storedIntervalRow(), 0);
    platform::preferences().setString(PrefKey::kRefreshTime, "abc");
    EXPECT_EQ(LiveRoom::storedIntervalRow(), 0);
}

TEST_F(LiveRoomTest, ThePickedIntervalIsStoredAndRestartsThePolling) {
    LiveRoom* room = openRoom(kOwnOpen);
    EXPECT_FALSE(room->refreshTimer()) << "row 0 stored: no polling";
    auto pick = [&](int row, int tag) {
        choose(room, QStringLiteral("刷新频率"));
        JVPickView* picker = room->pickView();
        ASSERT_NE(picker, nullptr);
        picker->selectRow(row);
        Button* button = nullptr;
        for (Button* b : picker->findChildren<Button*>())
            if (b->tag() == tag) button = b;
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(tap(button));
        processEvents();
        EXPECT_TRUE(picker->isHidden());
    };
    pick(3, JVPickView::kConfirmTag);
    EXPECT_EQ(platform::preferences().string(PrefKey::kRefreshTime), "3");
    ASSERT_TRUE(scheduled(room));
    const std::size_t before = sent("live/detail.aspx").size();
    platform::timers().fastForward(60s);
    EXPECT_TRUE(waitFor([&] { return sent("live/detail.aspx").size() > before; }));

    // Cancel keeps the choice; the picker opens on it.
    pick(1, JVPickView::kCancelTag);
    EXPECT_EQ(platform::preferences().string(PrefKey::kRefreshTime), "3");
    EXPECT_TRUE(scheduled(room));
    choose(room, QStringLiteral("刷新频率"));
    EXPECT_EQ(room->pickView()->selectedRow(), 3);
    room->pickView()->setHidden(true);

    // Row 0 (no interval) stops the polling.
    const platform::TimerId running = *room->refreshTimer();
    pick(0, JVPickView::kConfirmTag);
    EXPECT_EQ(platform::preferences().string(PrefKey::kRefreshTime), "0");
    EXPECT_FALSE(room->refreshTimer());
    EXPECT_FALSE(platform::timers().isScheduled(running));
}

TEST_F(LiveRoomTest, LeavingTheRoomStopsItsTimerAndReturningResumesIt) {
    platform::preferences().setString(PrefKey::kRefreshTime, "1");
    LiveRoom* room = openRoom(kOwnOpen);
    ASSERT_TRUE(scheduled(room));
    const platform::TimerId first = *room->refreshTimer();

    // Covered by another screen: no polling underneath.
    push(new ViewController);
    processEvents();
    EXPECT_FALSE(room->refreshTimer());
    EXPECT_FALSE(platform::timers().isScheduled(first));
    const std::size_t before = sent("live/detail.aspx").size();
    platform::timers().fastForward(30s);
    processEvents();
    EXPECT_EQ(sent("live/detail.aspx").size(), before);

    nav()->popViewControllerAnimated(false);
    processEvents();
    EXPECT_TRUE(scheduled(room));

    // Popped: the timer goes with it.
    const platform::TimerId second = *room->refreshTimer();
    nav()->popViewControllerAnimated(false);
    processEvents();
    EXPECT_FALSE(platform::timers().isScheduled(second));
}

TEST_F(LiveRoomTest, TheRoomPictureLeadsTheMessagesAndARoomWithoutOneAddsNoRow) {
    LiveRoom* room = openRoom(kOwnOpen);
    LiveList* list = room->liveList();
    ASSERT_FALSE(list->items().empty());
    EXPECT_EQ(list->items()[0].getStringValueForKey("id", ""), kOwnOpen);
    EXPECT_FALSE(list->items()[0].getStringValueForKey("picture", "").empty());
    EXPECT_EQ(list->tableView()->tag(), int(list->items().size()));
    auto* first = cell<LiveListItem>(list->tableView(), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->commentBtn()->isHidden());
    EXPECT_FALSE(first->picButton()->isHidden());

    // A message's comment button opens its comments, filed under it.
    ASSERT_GT(list->items().size(), 1u);
    const std::string message = list->items()[1].getStringValueForKey("id", "");
    list->tableView()->scrollToRowAtIndexPath({0, 1}, TableView::ScrollPosition::Top, false);
    processEvents();
    auto* second = cell<LiveListItem>(list->tableView(), 1);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->commentBtn()->titleForState(Button::Normal).startsWith("评论("));
    ASSERT_TRUE(tapSettled(second->commentBtn()));
    auto* comments = qobject_cast<CommentDetail*>(top());
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->commentList()->param().type(), "4");
    EXPECT_EQ(comments->commentList()->param().ptype(), "4");
    EXPECT_EQ(comments->commentList()->param().rid(), message);
    nav()->popViewControllerAnimated(false);

    // Without a picture the room record is no row; a reply without
    // messages shows none.
    Dict bare{{"id", kOwnOpen}, {"title", "t"}, {"isend", "1"}, {"text", Array()}};
    list->didLoad(Value(bare), nullptr);
    EXPECT_TRUE(list->items().empty());
    Dict one{{"id", kOwnOpen},
             {"picture", ""},
             {"text", Array{Value(Dict{{"id", "7"}, {"message", "开盘了"}})}}};
    list->didLoad(Value(one), nullptr);
    ASSERT_EQ(list->items().size(), 1u);
    EXPECT_EQ(list->items()[0].getStringValueForKey("id", ""), "7");
}

TEST_F(LiveRoomTest, FailuresShowTheAlertsAndKeepTheListAndThePolling) {
    platform::preferences().setString(PrefKey::kRefreshTime, "1");
    LiveRoom* room = openRoom(kOwnOpen);
    ASSERT_TRUE(scheduled(room));
    const std::size_t held = room->liveList()->items().size();

    // The service declines a tick: its message shows, the list stays.
    service::Fault refusal;
    refusal.msg = "该直播不存在";
    demoService()->injectFault("live/detail.aspx", refusal);
    platform::timers().fastForward(10s);
    EXPECT_EQ(alertMessage(), QStringLiteral("该直播不存在"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    EXPECT_EQ(room->liveList()->items().size(), held);
    EXPECT_TRUE(scheduled(room));

    // The connection drops: the failure alert, and polling goes on.
    demoService()->clearFaults();
    service::Fault drop;
    drop.kind = service::Fault::Kind::kDrop;
    demoService()->injectFault("live/detail.aspx", drop);
    platform::timers().fastForward(10s);
    EXPECT_FALSE(alertMessage().isEmpty());
    ASSERT_TRUE(platform::ui::testing::answerAlert(
        platform::ui::testing::currentAlert()->buttons.value(0)));
    EXPECT_EQ(room->liveList()->items().size(), held);
    EXPECT_TRUE(scheduled(room));
    demoService()->clearFaults();

    // An unknown room: the service's refusal.
    nav()->popViewControllerAnimated(false);
    auto* unknown = new LiveRoom;
    unknown->param().setRid("12345");
    open(unknown);
    EXPECT_EQ(alertMessage(), QStringLiteral("该直播不存在"));
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    EXPECT_TRUE(unknown->detail().empty());
    EXPECT_FALSE(unknown->refreshTimer());
}

TEST_F(LiveRoomTest, ARoomRecordWithoutIsendCountsAsClosed) {
    platform::preferences().setString(PrefKey::kRefreshTime, "1");
    as("demo");
    // No such room: the record stays empty until one is given below.
    auto* room = new LiveRoom;
    room->param().setRid("12345");
    open(room);
    ASSERT_TRUE(answer(QStringLiteral("确定")));
    processEvents();
    room->didLoad(Value(Dict{{"id", "12345"}, {"title", "无状态"}, {"uid", "1"}}), nullptr);
    EXPECT_EQ(room->titleLabel()->text(), QStringLiteral("无状态"));
    EXPECT_EQ(tabTitles(room), QStringList{QStringLiteral("打开直播")});
    EXPECT_EQ(room->tabItem(LiveRoom::kOpenClose)->tag(), LiveRoom::kReopen);
    EXPECT_FALSE(room->refreshTimer());
}

}  // namespace
