#include "news/LocalSearch.h"

#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "news/LocalSearchCell.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Font;
using platform::ui::IndexPath;
using platform::ui::Label;
using platform::ui::SearchBar;
using platform::ui::TableView;
using platform::ui::View;

namespace {

constexpr double kBarHeight = 44;
constexpr double kHeaderHeight = 24;

// The screen a kept item of that kind opens on.
Route routeTo(const KeptHit& hit) {
    const Value rid(hit.id);
    if (hit.kind == "article") return Route::toObject(Destination::Article, rid);
    if (hit.kind == "project") return Route::toObject(Destination::Project, rid);
    if (hit.kind == "question") return Route::toObject(Destination::Question, rid);
    if (hit.kind == "topic") return Route::toObject(Destination::Topic, rid);
    if (hit.kind == "activity") return Route::toObject(Destination::Activity, rid);
    Route listing = Route::toObject(Destination::Listing, rid);
    listing.param.setApi(hit.kind == "rental" ? "rent" : "oldhouse");
    return listing;
}

}  // namespace

LocalSearch::LocalSearch(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("本地搜索"));
}

LocalSearch::~LocalSearch() {
    // The view may have gone before the screen (a stack deletes both).
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

QString LocalSearch::kindName(std::string_view kind) {
    if (kind == "article") return QStringLiteral("资讯");
    if (kind == "project") return QStringLiteral("楼盘");
    if (kind == "listing") return QStringLiteral("二手房");
    if (kind == "rental") return QStringLiteral("租房");
    if (kind == "question") return QStringLiteral("咨询");
    if (kind == "topic") return QStringLiteral("话题");
    return QStringLiteral("活动");
}

void LocalSearch::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    searchBar_ = new SearchBar(QRectF(0, 0, 320, kBarHeight), root);
    searchBar_->setPlaceholder(QStringLiteral("搜索看过的资讯、楼盘、房源、咨询和话题"));
    searchBar_->setShowsCancelButton(true);
    searchBar_->setDelegate(this);
    tableView_ =
        new TableView(QRectF(0, kBarHeight, 320, 416 - kBarHeight), TableView::Style::Plain, root);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(root);
    // A search made before the screen was shown (from the news search).
    if (searched_) showResults();
}

void LocalSearch::viewDidAppear(bool) {
    if (!searched_) searchBar_->becomeFirstResponder();
}

void LocalSearch::search(const QString& text) {
    searched_ = true;
    query_ = text;
    groups_.clear();
    words_.clear();
    const std::string query = text.toStdString();
    for (const std::string& word : OfflineStore::words(query))
        words_ << QString::fromStdString(word);
    for (KeptHit& hit : OfflineStore::search(query)) {
        if (groups_.empty() || groups_.back().kind != hit.kind) groups_.push_back({hit.kind, {}});
        groups_.back().hits.push_back(std::move(hit));
    }
    if (isViewLoaded()) showResults();
}

void LocalSearch::showResults() {
    if (searchBar_->text() != query_) searchBar_->setText(query_);
    tableView_->setTableFooterView(groups_.empty() && !query_.trimmed().isEmpty() ? noItemView()
                                                                                  : nullptr);
    tableView_->reloadData();
}

void LocalSearch::searchBarSearchButtonClicked(SearchBar* searchBar) {
    searchBar->resignFirstResponder();
    search(searchBar->text());
}

void LocalSearch::searchBarCancelButtonClicked(SearchBar* searchBar) {
    searchBar->resignFirstResponder();
    search(QString());
}

int LocalSearch::numberOfSectionsInTableView(TableView*) {
    return int(groups_.size());
}

int LocalSearch::numberOfRowsInSection(TableView*, int section) {
    return int(groups_.at(std::size_t(section)).hits.size());
}

platform::ui::TableViewCell* LocalSearch::cellForRowAtIndexPath(TableView* table,
                                                                const IndexPath& path) {
    auto* cell = qobject_cast<LocalSearchCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("LocalSearchCell")));
    if (!cell) cell = new LocalSearchCell;
    const KeptHit& hit = groups_.at(std::size_t(path.section)).hits.at(std::size_t(path.row));
    cell->setResult(QString::fromStdString(hit.title), QString::fromStdString(hit.snippet), words_);
    return cell;
}

double LocalSearch::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return LocalSearchCell::kHeight;
}

double LocalSearch::heightForHeaderInSection(TableView*, int) {
    return kHeaderHeight;
}

View* LocalSearch::viewForHeaderInSection(TableView*, int section) {
    // One header per group: the shared section header is a single view.
    const Group& group = groups_.at(std::size_t(section));
    auto* header = new Label(QRectF(0, 0, 320, kHeaderHeight));
    header->setBackgroundColor(NSUtil::listview_item());
    header->setFont(Font::boldSystem(14));
    header->setTextInsets({0, 10, 0, 10});
    header->setText(QStringLiteral("%1 (%2)").arg(kindName(group.kind)).arg(group.hits.size()));
    return header;
}

void LocalSearch::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    Navigator::open(this,
                    routeTo(groups_.at(std::size_t(path.section)).hits.at(std::size_t(path.row))));
}

}  // namespace tovera
