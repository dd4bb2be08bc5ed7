#include "framework/QXViewController.h"

#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/ListFooter.h"
#include "framework/NSUtil.h"
#include "framework/OfflineTitle.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::TableView;
using platform::ui::View;

QXViewController::QXViewController(bool standardBackItem, QObject* parent)
    : ViewController(parent) {
    if (standardBackItem) RootScreenServices::shared().setBackItem(navigationItem());
}

QXViewController::~QXViewController() {
    ActivityView::ownerGone(this);
    ListFooter::deleteIfUnplaced(noItem_);
    ListFooter::deleteIfUnplaced(loadMore_);
    ListFooter::deleteIfUnplaced(headerView_);
}

DSTovera& QXViewController::session() {
    if (DSTovera* installed = RootScreenServices::shared().session()) return *installed;
    static DSTovera signedOut(std::nullopt, std::nullopt, std::nullopt);
    return signedOut;
}

void QXViewController::viewDidLoad() {
    View* root = view();
    if (qobject_cast<TableView*>(root)) {
        root->setBackgroundColor(NSUtil::listview_item());
        return;
    }
    for (QWidget* child : root->subviews())
        if (auto* table = qobject_cast<TableView*>(child)) {
            table->setBackgroundColor(NSUtil::listview_item());
            return;
        }
}

void QXViewController::reloadData() {
    if (ActivityView* overlay = activityView()) overlay->show(this);
}

void QXViewController::dataGrow() {
    const std::string before = param_.page();
    param_.setPage(std::to_string(static_cast<long long>(Value(before).intValue()) + 1));
    issuePageRequest(before);
}

void QXViewController::didLoad(const Value&, QXRequest*) {}

void QXViewController::loadMore(Button* button) {
    if (!button || button->isSelected()) return;
    button->setSelected(true);
    dataGrow();
}

// ---- Replies --------------------------------------------------------------

void QXViewController::requestLoading(QXRequest* request) {
    if (capturing_) pageRequests_[request] = *capturing_;
}

void QXViewController::requestDidLoad(QXRequest* request, const Value& reply) {
    const std::optional<PageRequest> page = takePageRequest(request);
    if (page && page->generation != generation_) {
        platform::logLine("dropped the reply to a replaced page request");
        return;
    }
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    if (ReplyDispatch::refused(reply, "提示")) {
        pageRequestFailed(page);
        endReloading();
        return;
    }
    ReplyDispatch::keepCategories(request, reply);
    answering_ = page;
    didLoad(reply, request);
    answering_.reset();
}

void QXViewController::requestDidFailWithError(QXRequest* request, const Error& error) {
    const std::optional<PageRequest> page = takePageRequest(request);
    if (page && page->generation != generation_) return;
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    ReplyDispatch::showFailure(request, error, this, isViewLoaded() ? view() : nullptr);
    pageRequestFailed(page);
    endReloading();
}

void QXViewController::requestDidLoadKept(QXRequest* request, const Value& reply, double saved) {
    QPointer<QXViewController> self(this);
    requestDidLoad(request, reply);
    if (!self) return;
    NSUtil::makeText("网络不可用，显示的内容不是最新的").show();
    platform::ui::NavigationItem* item = navigationItem();
    if (!item->titleView() || qobject_cast<OfflineTitle*>(item->titleView()))
        item->setTitleView(new OfflineTitle(item->title(), saved));
}

void QXViewController::beginDisappearance(bool animated) {
    ViewController::beginDisappearance(animated);
    // Popped (or replaced): the screen, or the one it is shown inside, is no
    // longer in its navigation stack, though it lives until the deferred
    // delete.
    const ViewController* screen = this;
    while (screen->parentViewController() &&
           !qobject_cast<platform::ui::NavigationController*>(screen->parentViewController()))
        screen = screen->parentViewController();
    auto* nav = qobject_cast<platform::ui::NavigationController*>(screen->parentViewController());
    if (nav && !nav->viewControllers().contains(screen) && isViewLoaded())
        ReplyDispatch::markLeft(view());
}

// ---- Pull-to-refresh ------------------------------------------------------

void QXViewController::reloadTableViewDataSource() {
    reloadData();
    reloading_ = true;
}

void QXViewController::doneLoadingTableViewData(View* view) {
    reloading_ = false;
    if (refreshHeaderView_)
        refreshHeaderView_->refreshScrollViewDataSourceDidFinishedLoading(
            qobject_cast<ScrollView*>(refreshHeaderView_->parentWidget()));
    if (auto* table = qobject_cast<TableView*>(view)) table->reloadData();
}

// A failed or refused reload must still let the header go, or it would hold
// the list down and read "加载中..." for good.
void QXViewController::endReloading() {
    if (!reloading_) return;
    doneLoadingTableViewData(nullptr);
}

bool QXViewController::refreshFromKeyboard() {
    auto* list = refreshHeaderView_ ? qobject_cast<ScrollView*>(refreshHeaderView_->parentWidget())
                                    : nullptr;
    if (!list || !list->isVisible()) return false;
    list->setContentOffset(QPointF(0, -list->contentInset().top));
    refreshHeaderView_->beginRefreshing(list);
    return true;
}

void QXViewController::refreshTableHeaderDidTriggerRefresh(RefreshTableHeaderView*) {
    reloadTableViewDataSource();
}

bool QXViewController::refreshTableHeaderDataSourceIsLoading(RefreshTableHeaderView*) {
    return reloading_;
}

std::optional<QDateTime> QXViewController::refreshTableHeaderDataSourceLastUpdated(
    RefreshTableHeaderView*) {
    return QDateTime::currentDateTime();
}

void QXViewController::scrollViewDidScroll(ScrollView* scrollView) {
    if (refreshHeaderView_) refreshHeaderView_->refreshScrollViewDidScroll(scrollView);
}

void QXViewController::scrollViewDidEndDragging(ScrollView* scrollView, bool) {
    if (refreshHeaderView_) refreshHeaderView_->refreshScrollViewDidEndDragging(scrollView);
}

RefreshTableHeaderView* QXViewController::addRefreshHeader(TableView* table) {
    if (refreshHeaderView_ || !table) return refreshHeaderView_;
    const QSizeF size = table->bounds().size();
    refreshHeaderView_ =
        new RefreshTableHeaderView(QRectF(0, -size.height(), size.width(), size.height()));
    refreshHeaderView_->setDelegate(this);
    table->addSubview(refreshHeaderView_);
    refreshHeaderView_->refreshLastUpdatedDate();
    return refreshHeaderView_;
}

// ---- Standard views -------------------------------------------------------

Label* QXViewController::noItemView() {
    if (!noItem_) noItem_ = ListFooter::noItemLabel(view()->bounds().width());
    return noItem_;
}

Button* QXViewController::loadMoreView() {
    if (!loadMore_) {
        loadMore_ = new Button(QRectF(0, 0, view()->bounds().width(), ListFooter::kHeight));
        loadMore_->setTitle(QStringLiteral("加载更多"));
        loadMore_->setTitle(QStringLiteral("加载中..."), Button::Selected);
        loadMore_->setTitle(QStringLiteral("加载中..."), Button::Selected | Button::Highlighted);
        loadMore_->setTitleColor(NSUtil::black());
        loadMore_->setFont(NSUtil::normalFont());
        connect(loadMore_, &Button::touchUpInside, this,
                [this](platform::ui::Control*) { loadMore(loadMore_); });
    }
    loadMore_->setSelected(false);
    return loadMore_;
}

Label* QXViewController::headerView() {
    if (!headerView_) {
        headerView_ = new Label(QRectF(0, 0, view()->bounds().width(), ListFooter::kHeight));
        headerView_->setTextAlignment(Qt::AlignHCenter);
        headerView_->setFont(NSUtil::bigFont());
        headerView_->setTextColor(NSUtil::black());
    }
    return headerView_;
}

Label* QXViewController::sectionHeaderView(const QString& text) {
    constexpr double kMargin = 10;
    Label* header = headerView();
    header->setBackgroundColor(NSUtil::listview_item());
    header->setTextAlignment(Qt::AlignLeft);
    header->setTextInsets({0, kMargin, 0, kMargin});
    header->setText(text);
    return header;
}

ActivityView* QXViewController::activityView() {
    return ActivityView::shared();
}

void QXViewController::btnsView(View* row, Button* button) {
    if (!row) return;
    for (QWidget* child : row->subviews())
        if (auto* b = qobject_cast<Button*>(child)) b->setSelected(false);
    if (button) button->setSelected(true);
}

// ---- Standard list paging -------------------------------------------------

void QXViewController::loadFirstPage() {
    QXViewController::reloadData();
    // The rows shown stay until the first page arrives: the table still
    // shows them (and may ask for them) until it is reloaded with the reply.
    // Should it not arrive, they stay with the page they were read up to.
    replaceItems_ = true;
    const std::string shown = items_.empty() ? "1" : param_.page();
    param_.setPage("1");
    ++generation_;
    issuePageRequest(shown, true);
}

void QXViewController::issuePageRequest(std::string pageBefore, bool first) {
    capturing_ = PageRequest{generation_, std::move(pageBefore), first};
    doRequest();
    capturing_.reset();
}

std::optional<QXViewController::PageRequest> QXViewController::takePageRequest(
    const QXRequest* request) {
    auto found = pageRequests_.find(request);
    if (found == pageRequests_.end()) return std::nullopt;
    PageRequest page = found->second;
    pageRequests_.erase(found);
    return page;
}

void QXViewController::pageRequestFailed(const std::optional<PageRequest>& page) {
    if (!page) return;
    param_.setPage(page->pageBefore);
    // The next page appends to the rows still shown.
    if (page->first) replaceItems_ = false;
    if (loadMore_) loadMore_->setSelected(false);
    endReloading();
}

void QXViewController::appendPage(const Value& reply, TableView* table, std::string_view key) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    if (replaceItems_) {
        items_.clear();
        replaceItems_ = false;
    }
    for (const Value& item : reply[key].items())
        items_.push_back(item);
    total_ = reply.getIntValueForKey("total", int(items_.size()));
    if (table) {
        if (items_.empty())
            table->setTableFooterView(noItemView());
        else if (int(items_.size()) < total_)
            table->setTableFooterView(loadMoreView());
        else
            table->setTableFooterView(nullptr);
    }
    doneLoadingTableViewData(table);
}

bool QXViewController::pageDeclined(const Value& reply) {
    if (!answering_ || ReplyDispatch::code(reply) == ReplyCode::Missing) return false;
    platform::showAlert({"出错了", reply.getStringValueForKey("msg", ""), {"确定"}, 0, {}});
    pageRequestFailed(answering_);
    return true;
}

void QXViewController::reloadIfEmpty() {
    if (items_.empty()) reloadData();
}

bool QXViewController::takeRefreshFlag() {
    return param_.param().remove("refresh");
}

}  // namespace tovera
