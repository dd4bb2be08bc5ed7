// The home screen and root of the navigation stack. It shows the new-build
// projects the service picks for the current city (paged, pull-to-refresh,
// load-more, thumbnails on its own queue), hosts the five-tab module hub
// (the home list and four MenuIcons pages), owns the session for the whole
// run, polls the unread counts every 300 seconds for the badges, and offers
// every other screen the root-screen services: the login check and prompt,
// the load-failure alert, user pages, scratch parameters, the picture viewer.
#pragma once

#include <QPointer>

#include <memory>

#include "core/DSTovera.h"
#include "framework/OperationQueue.h"
#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "framework/RootScreenServices.h"
#include "platform/Timers.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBar.h"
#include "property/MenuIcons.h"

namespace tovera {

class ImageViewShow;
class NoticeView;

class Tovera : public QXViewController,
               public RootScreenServices,
               public platform::ui::TableViewDataSource,
               public platform::ui::TabBarDelegate,
               public QXViewDelegate {
    Q_OBJECT
public:
    static constexpr int kTabCount = 5;
    /// Seconds between two unread-count polls.
    static constexpr int kPollSeconds = 300;

    /// Creates the session from the preferences and installs the root-screen
    /// services.
    explicit Tovera(QObject* parent = nullptr);
    ~Tovera() override;

    /// The root screen of the application (the one alive), or null.
    static Tovera* toveraViewController();
    /// The shared picture viewer of the key window.
    static ImageViewShow* imgViewShow();

    DSTovera& DStovera() { return *session_; }
    /// True when signed in; otherwise the login prompt shows.
    bool checkLogin();
    /// The login prompt; "登录" opens the login screen.
    void alertViewTologin() override;
    /// Asks for the unread counts at once.
    void didSignIn() override;
    /// Selects the current tab again (its page reloads with the counts).
    void reselectTab() override;
    /// The login screen with a "返回" button, pushed.
    void openLogin();
    /// Presents the city choice.
    void chooseCity();
    /// Opens the search over everything kept on the device ("搜索" on the
    /// navigation bar, Ctrl+F).
    void openLocalSearch();
    bool searchFromKeyboard() override;
    /// The next page of the home list.
    void moreNews() { dataGrow(); }
    /// Makes `view` the one child of the content area, filling it.
    void setContent(platform::ui::View* view);
    /// Asks for the unread counts (nothing when signed out).
    void newMessage() override;
    /// Shows the unread counts the session holds on the total badge.
    void showUnreadTotal();

    platform::ui::TabBar* tabBar() const { return tabBar_; }
    platform::ui::View* contentView() const { return contentView_; }
    platform::ui::TableView* tableView() const { return tableView_; }
    NoticeView* noticeView() const { return noticeView_; }
    /// The menu page shown now, if one is.
    MenuIcons* menu() const { return menu_; }
    const Array& dataArray() { return items(); }
    /// The selected tab's index, or -1.
    int selectedTab() const;

    // The home list
    void reloadData() override;
    void dataGrow() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// The unread-count poll's reply goes to the badges; the rest to the list.
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;
    void qxView(platform::ui::View*, platform::ui::Button*) override {}

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    static bool isPoll(const QXRequest* request);
    void didLoadUnread(const Value& reply);
    /// Reloads what the content area shows (the list or the menu page).
    void reloadContent();
    void showCityOnButton();

    std::unique_ptr<DSTovera> session_;
    OperationQueue loadImagesOperationQueue_{4};
    platform::TimerId updateTimer_ = 0;
    Dict newmsgParam_;
    platform::ui::TabBar* tabBar_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    QPointer<platform::ui::TableView> tableView_;
    NoticeView* noticeView_ = nullptr;
    QPointer<MenuIcons> menu_;
};

}  // namespace tovera
