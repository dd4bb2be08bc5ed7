// The base of every full screen that talks to the service: it owns the
// screen's parameter record, shows the shared loading overlay, checks every
// reply ("code" above 0 is a refusal shown to the user), keeps the news
// categories, shows the failure alerts, and offers the list paging every
// list screen follows: first page, "加载更多" footer, "暂无" when empty, and
// pull-to-refresh.
//
// A list screen overrides reloadData() (calling loadFirstPage()), doRequest()
// (one facade operation with param() and itself as delegate) and didLoad()
// (calling appendPage() for its table); dataGrow() already asks for the next
// page. A reply to a page request that a refresh has since replaced is
// dropped, and a page request that fails sets "page" back.
#pragma once

#include <QPointer>

#include <unordered_map>

#include "core/QXParam.h"
#include "core/QXRequestDelegate.h"
#include "framework/RefreshTableHeaderView.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/ViewController.h"

namespace tovera::platform::ui {
class Button;
class Label;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class ActivityView;
class DSTovera;

class QXViewController : public platform::ui::ViewController,
                         public QXRequestDelegate,
                         public RefreshTableHeaderDelegate,
                         public platform::ui::TableViewDelegate {
    Q_OBJECT
public:
    /// With `standardBackItem` the navigation item gets the standard back
    /// item (a screen made from its interface description).
    explicit QXViewController(bool standardBackItem = true, QObject* parent = nullptr);
    ~QXViewController() override;

    /// The session the screen talks to the service through: the root-screen
    /// services' (the home screen's, or a test's); a signed-out session
    /// without a city while none is installed.
    static DSTovera& session();

    QXParam& param() { return param_; }
    /// Merges the other record's dictionary into this one.
    void setParam(const QXParam& other) { param_.setParam(other.param()); }

    /// Shows the loading overlay. List screens override it to load their
    /// first page (see loadFirstPage()).
    virtual void reloadData();
    /// The next page: "page" + 1, then doRequest().
    virtual void dataGrow();
    /// A screen shown inside another hears from its host that it is about
    /// to be shown (hook; nothing here).
    virtual void willBeShown() {}
    /// Issues the screen's request (hook; nothing here).
    virtual void doRequest() {}
    /// The reply, once it passed the checks (hook; nothing here).
    virtual void didLoad(const Value& reply, QXRequest* request);

    /// The footer button: marks it loading ("加载中...") and calls dataGrow().
    /// A tap while it already loads is ignored.
    void loadMore(platform::ui::Button* button);

    // QXRequestDelegate
    void requestLoading(QXRequest* request) override;
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;
    /// Read as a reply; then the title area says "离线" with the time the copy
    /// was saved (unless the screen shows a title view of its own) and a
    /// toast says the content is not current.
    void requestDidLoadKept(QXRequest* request, const Value& reply, double saved) override;

    /// reloadData(), then marks the screen as reloading.
    void reloadTableViewDataSource();
    /// Ends a pull-to-refresh and reloads `view` when it is a table.
    void doneLoadingTableViewData(platform::ui::View* view);
    bool reloading() const { return reloading_; }
    /// Whether a page of the list was asked for and has not been answered.
    bool loadingPage() const { return !pageRequests_.empty(); }
    /// A screen with a pull-to-refresh list reloads it as a pull does.
    bool refreshFromKeyboard() override;
    /// A screen leaving its navigation stack stops alerting the failures of
    /// its requests (see ReplyDispatch::markLeft()).
    void beginDisappearance(bool animated) override;

    // RefreshTableHeaderDelegate
    void refreshTableHeaderDidTriggerRefresh(RefreshTableHeaderView* view) override;
    bool refreshTableHeaderDataSourceIsLoading(RefreshTableHeaderView* view) override;
    std::optional<QDateTime> refreshTableHeaderDataSourceLastUpdated(
        RefreshTableHeaderView* view) override;

    // The table's scrolling drives the refresh header.
    void scrollViewDidScroll(platform::ui::ScrollView* scrollView) override;
    void scrollViewDidEndDragging(platform::ui::ScrollView* scrollView, bool decelerate) override;

    /// "暂无": as wide as the view, 44 points high, centred.
    platform::ui::Label* noItemView();
    /// "加载更多" ("加载中..." while selected); the same button each time,
    /// with its selected mark cleared.
    platform::ui::Button* loadMoreView();
    /// A title label as wide as the view, 44 points high, big font.
    platform::ui::Label* headerView();
    /// headerView() as a list's section header showing `text`: left-aligned
    /// with a margin, on the list colour. Opaque, as a plain list's header
    /// stays at the top while the rows scroll under it.
    platform::ui::Label* sectionHeaderView(const QString& text);
    /// The shared loading overlay of the key window.
    ActivityView* activityView();
    /// A tab row: deselects every button of the row, then selects `button`.
    void btnsView(platform::ui::View* row, platform::ui::Button* button);

    RefreshTableHeaderView* refreshHeaderView() const { return refreshHeaderView_; }

    // ---- Standard list paging ----------------------------------------------

    /// The items loaded so far and the last "total".
    Array& items() { return items_; }
    int total() const { return total_; }

protected:
    void viewDidLoad() override;

    /// First page: the overlay, "page" "1", doRequest(). The items held are
    /// replaced when the first page arrives (they stay while it loads or
    /// when it fails); replies to earlier page requests are dropped.
    void loadFirstPage();
    /// Appends the reply's list under `key`, reads "total", sets the footer
    /// of `table` ("加载更多" while items are missing, "暂无" when there are
    /// none) and ends a pull-to-refresh.
    void appendPage(const Value& reply, platform::ui::TableView* table,
                    std::string_view key = "result");
    /// For a page reply that carries a "code" instead of a page (the
    /// service declined it): shows "出错了" with its "msg" and takes the page
    /// back as a failed request does; true when it did. Call first thing in
    /// didLoad() of a screen whose pages may be declined that way.
    bool pageDeclined(const Value& reply);
    /// Loads the first page when no item is held (on appearance).
    void reloadIfEmpty();
    /// Removes the "refresh" flag a screen above set; true when it was set.
    bool takeRefreshFlag();
    /// Creates the pull-to-refresh header above `table` (once).
    RefreshTableHeaderView* addRefreshHeader(platform::ui::TableView* table);

private:
    struct PageRequest {
        unsigned generation;
        std::string pageBefore;
        /// A first page, which replaces the rows shown when it arrives.
        bool first = false;
    };
    /// Issues doRequest() and remembers the page requests it starts.
    void issuePageRequest(std::string pageBefore, bool first = false);
    /// The record of a page request, taken out; nothing for other requests.
    std::optional<PageRequest> takePageRequest(const QXRequest* request);
    /// A page request went unanswered: the page goes back, the footer is
    /// tappable again, and a pull-to-refresh ends.
    void pageRequestFailed(const std::optional<PageRequest>& page);
    void endReloading();

    QXParam param_;
    QPointer<RefreshTableHeaderView> refreshHeaderView_;
    bool reloading_ = false;
    QPointer<platform::ui::Label> noItem_;
    QPointer<platform::ui::Button> loadMore_;
    QPointer<platform::ui::Label> headerView_;

    Array items_;
    bool replaceItems_ = false;
    int total_ = 0;
    unsigned generation_ = 0;
    std::optional<PageRequest> capturing_;
    std::unordered_map<const QXRequest*, PageRequest> pageRequests_;
    /// The page request whose reply didLoad() is reading.
    std::optional<PageRequest> answering_;
};

}  // namespace tovera
