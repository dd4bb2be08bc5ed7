// "直播室": one live room. The head shows its title, start time and owner
// (a button to the owner's page); a strip switches between the owner's
// messages ("直播区", LiveList) and the discussion ("讨论区", DiscussList);
// the tab bar offers what the viewer may do: the owner of an open room
// posts messages and closes it, the owner of a closed room reopens it, a
// signed-in viewer of the discussion posts to it, and everyone picks how
// often the room is polled. Opened with param `rid` = the room id.
//
// Polling: while the room is shown and open, a repeating timer of the
// interval picked (preference "refreshtime" = the row of the configured
// list "refreshtime", in seconds) refreshes the sub-list shown. Row 0, an
// interval of 0 or a stored row outside the list means no polling.
#pragma once

#include <QPointer>

#include <array>

#include "framework/JVPickView.h"
#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/Timers.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Button;
class Label;
class TabBarItem;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class DiscussList;
class LiveList;

class LiveRoom : public QXViewController,
                 public platform::ui::TabBarDelegate,
                 public QXViewDelegate {
    Q_OBJECT
public:
    /// The tab bar's items as loaded.
    enum TabItem { kSend = 0, kOpenClose = 1, kInterval = 2, kDiscuss = 3 };
    /// The sub-list shown (the content view's tag).
    enum SubList { kMessages = 0, kDiscussion = 1 };
    /// Item 1's tag, the "operate" it sends.
    static constexpr int kReopen = 1;
    static constexpr int kClose = 2;

    explicit LiveRoom(QObject* parent = nullptr);
    ~LiveRoom() override;

    /// The configured intervals, in seconds (empty when none are configured).
    static std::vector<int> refreshIntervals();
    /// The row stored in "refreshtime": 0 when missing, not a number or
    /// outside the configured list.
    static int storedIntervalRow();

    /// Shows the sub-list of `button` ("直播区" or "讨论区").
    void btnPressed(platform::ui::Button* button);
    void liveRoom();
    void discussRoom();

    /// The overlay, an empty record, then the room's request.
    void reloadData() override;
    /// The room record (merged, head shown) or, for "close", back to the list.
    void didLoad(const Value& reply, QXRequest* request) override;
    /// The items the viewer may use; starts or stops the polling by the
    /// room's state.
    void updateTabbar();
    /// A polling tick: the sub-list shown reads again.
    void refreshLive();

    void liveSend();
    void discussSend();
    /// Opens (tag 1) or closes (tag 2) the room.
    void liveEnd();
    /// The interval picker.
    void liveRefresTime();
    /// The owner's page.
    void showUser();

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;
    /// The picker closed: "确定" stores the row and restarts the polling.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    const Dict& detail() const { return detail_; }
    std::string roomId() const;
    platform::ui::Label* titleLabel() const { return titleLabel_; }
    platform::ui::Label* dateLabel() const { return dateLabel_; }
    platform::ui::Button* userBtn() const { return userBtn_; }
    ButtonsView* btnView() const { return btnView_; }
    platform::ui::View* contentView() const { return contentView_; }
    LiveList* liveList() const { return liveList_; }
    DiscussList* discussList() const { return discussList_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    platform::ui::TabBarItem* tabItem(TabItem item) const { return tabItems_.value(item); }
    JVPickView* pickView() const { return pickView_; }
    /// The polling timer, when one runs.
    std::optional<platform::TimerId> refreshTimer() const { return refreshTimer_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    bool isOpen() const;
    void showSubList(SubList which);
    void startTimer(int seconds);
    void stopTimer();

    Dict detail_;
    platform::ui::Label* titleLabel_ = nullptr;
    platform::ui::Label* dateLabel_ = nullptr;
    platform::ui::Button* userBtn_ = nullptr;
    ButtonsView* btnView_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    QList<platform::ui::TabBarItem*> tabItems_;
    LiveList* liveList_ = nullptr;
    DiscussList* discussList_ = nullptr;
    QPointer<JVPickView> pickView_;
    std::optional<platform::TimerId> refreshTimer_;
    bool shown_ = false;
};

}  // namespace tovera
