#include "community/StripListScreen.h"

#include "framework/ButtonsView.h"
#include "framework/CustomCell.h"
#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 36;
}  // namespace

StripListScreen::StripListScreen(QObject* parent) : QXViewController(true, parent) {}

void StripListScreen::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    btnView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    tableView_ = new TableView(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight),
                               TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    setView(root);
}

void StripListScreen::showListings(const std::vector<std::string>& titles) {
    NSUtil::createBtns(titles, btnView_, [this](Button* button) { btnPressed(button); });
    addRefreshHeader(tableView_);
    Button* selected = NSUtil::getSelectedButton(btnView_);
    if (!selected) selected = qobject_cast<Button*>(btnView_->subviews().value(0));
    if (selected) btnPressed(selected);
}

void StripListScreen::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const auto index = btnView_->subviews().indexOf(button);
    if (index < 0) return;
    listingChosen(int(index));
    reloadData();
}

void StripListScreen::reloadData() {
    if (tableView_) tableView_->setTag(0);
    loadFirstPage();
}

void StripListScreen::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

int StripListScreen::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* StripListScreen::cellForRowAtIndexPath(TableView* table,
                                                      const IndexPath& indexPath) {
    auto* cell =
        qobject_cast<CustomCell*>(table->dequeueReusableCellWithIdentifier(cellIdentifier()));
    if (!cell) cell = newCell();
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double StripListScreen::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    const Dict* row = items()[indexPath.row].dict();
    return rowHeight(row ? *row : Dict());
}

void StripListScreen::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    openRow(items()[indexPath.row]);
}

}  // namespace tovera
