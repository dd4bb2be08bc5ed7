#include "property/Saleinfo.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "platform/ui/views/Button.h"
#include "property/SaleInfoItem.h"
#include "property/SellList.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::SearchBar;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {
constexpr double kBarHeight = 44;
}  // namespace

Saleinfo::Saleinfo(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("销售信息"));
}

void Saleinfo::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    searchBar_ = new SearchBar(QRectF(0, 0, 320, kBarHeight), root);
    searchBar_->setPlaceholder(QStringLiteral("输入楼盘名称"));
    searchBar_->setShowsCancelButton(true);
    searchBar_->setDelegate(this);
    tableView_ =
        new TableView(QRectF(0, kBarHeight, 320, 416 - kBarHeight), TableView::Style::Plain);
    tableView_->setAutoresizingMask(View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    setView(root);
}

void Saleinfo::viewDidLoad() {
    QXViewController::viewDidLoad();
    if (!savedSearchTerm_.isEmpty()) {
        if (searchWasActive_) searchBar_->becomeFirstResponder();
        searchBar_->setText(savedSearchTerm_);
        savedSearchTerm_.clear();
    }
    addRefreshHeader(tableView_);
    reloadData();
}

void Saleinfo::viewWillAppear(bool) {
    if (takeRefreshFlag()) reloadData();
}

void Saleinfo::viewDidDisappear(bool) {
    searchWasActive_ = searchActive_;
    savedSearchTerm_ = searchBar_->text();
}

void Saleinfo::reloadData() {
    loadFirstPage();
}

void Saleinfo::doRequest() {
    session().houseSaleinfo(param().param(), this);
}

void Saleinfo::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
}

void Saleinfo::searchBarSearchButtonClicked(SearchBar* searchBar) {
    searchBar->resignFirstResponder();
    param().param().set("housename", searchBar->text().toStdString());
    searchActive_ = true;
    reloadData();
}

void Saleinfo::searchBarCancelButtonClicked(SearchBar* searchBar) {
    searchBar->setText(QString());
    searchBar->resignFirstResponder();
    if (!param().param().remove("housename")) return;
    searchActive_ = false;
    reloadData();
}

void Saleinfo::qxView(View*, platform::ui::Button* button) {
    if (button->tag() <= 0) return;
    Navigator::open(this, Route::toObject(Destination::Project, std::to_string(button->tag())));
}

int Saleinfo::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* Saleinfo::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<SaleInfoItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("SaleInfoItem")));
    if (!cell) cell = new SaleInfoItem;
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    cell->setTag(indexPath.row);
    cell->setDelegate(this);
    return cell;
}

double Saleinfo::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return SaleInfoItem::kHeight;
}

void Saleinfo::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    const Value& row = items()[indexPath.row];
    if (!row.isDict()) return;
    auto* news = new SellList;
    news->param().setRid(row.getStringValueForKey("hid", "0"));
    news->setHeaderTitle(QString::fromStdString(row.getStringValueForKey("housename", "")));
    news->addViewHouseButton();
    Navigator::push(this, news);
}

}  // namespace tovera
