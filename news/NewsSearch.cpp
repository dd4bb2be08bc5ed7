#include "news/NewsSearch.h"

#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "news/LocalSearch.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::SearchBar;
using platform::ui::TableView;
using platform::ui::View;

namespace {
constexpr double kBarHeight = 44;
}  // namespace

NewsSearch::NewsSearch(QObject* parent) : ArticleList(parent) {
    setTitle(QStringLiteral("资讯搜索"));
}

void NewsSearch::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    searchBar_ = new SearchBar(QRectF(0, 0, 320, kBarHeight), root);
    searchBar_->setPlaceholder(QStringLiteral("输入关键字"));
    searchBar_->setShowsCancelButton(true);
    searchBar_->setDelegate(this);
    root->addSubview(makeTable(QRectF(0, kBarHeight, 320, 416 - kBarHeight)));
    setView(root);
}

void NewsSearch::viewDidLoad() {
    ArticleList::viewDidLoad();
    // The same words searched in what was read before, on the device.
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("本地"), BarButtonItem::Style::Plain, [self = QPointer(this)] {
            if (!self) return;
            auto* local = new LocalSearch;
            const QString text = self->searchBar_->text();
            Navigator::push(self, local);
            if (!text.trimmed().isEmpty()) local->search(text);
        }));
    if (!savedSearchTerm_.isEmpty()) {
        if (searchWasActive_) searchBar_->becomeFirstResponder();
        searchBar_->setText(savedSearchTerm_);
        savedSearchTerm_.clear();
    }
    reloadData();
}

void NewsSearch::viewDidDisappear(bool) {
    searchWasActive_ = searchBar_->isFirstResponder();
    savedSearchTerm_ = searchBar_->text();
}

void NewsSearch::searchBarSearchButtonClicked(SearchBar* searchBar) {
    searchBar->resignFirstResponder();
    param().setKeyWord(searchBar->text().toStdString());
    reloadData();
}

// Cancel ends the search: the typed text goes, the keyboard closes, and a
// list narrowed by a keyword shows every article again.
void NewsSearch::searchBarCancelButtonClicked(SearchBar* searchBar) {
    searchBar->setText(QString());
    searchBar->resignFirstResponder();
    if (param().keyWord().empty()) return;
    param().setKeyWord("");
    reloadData();
}

double NewsSearch::heightForHeaderInSection(TableView*, int) {
    return headerView()->frame().height();
}

View* NewsSearch::viewForHeaderInSection(TableView*, int) {
    // The count of the reply being shown (the table's tag follows it only
    // after the table has been reloaded with that reply).
    return sectionHeaderView(QStringLiteral("共有%1条符合条件的资讯").arg(total()));
}

}  // namespace tovera
