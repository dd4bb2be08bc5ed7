#include "account/SetSkin.h"

#include "account/CentredRow.h"
#include "framework/NSUtil.h"
#include "framework/SkinChange.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

SetSkin::SetSkin(QObject* parent) : QXViewController(true, parent), skins_(skins()) {
    setTitle(QStringLiteral("皮肤设置"));
}

std::vector<std::pair<QString, std::string>> SetSkin::skins() {
    std::vector<std::pair<QString, std::string>> pairs;
    const Value list = NSUtil::config("skin");
    if (const Array* entries = list.array())
        for (const Value& entry : *entries) {
            const Array* pair = entry.array();
            if (!pair || pair->size() < 2 || !(*pair)[0].isString() || !(*pair)[1].isString())
                continue;
            pairs.emplace_back(QString::fromStdString((*pair)[0].toText()), (*pair)[1].toText());
        }
    return pairs;
}

void SetSkin::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void SetSkin::viewDidLoad() {
    QXViewController::viewDidLoad();
    tableView_->reloadData();
}

int SetSkin::numberOfRowsInSection(TableView*, int) {
    return int(skins_.size());
}

TableViewCell* SetSkin::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    return centredRow(table, skins_[std::size_t(indexPath.row)].first, false);
}

void SetSkin::didSelectRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    if (indexPath.row < 0 || indexPath.row >= int(skins_.size())) return;
    SkinChange::choose(skins_[std::size_t(indexPath.row)].second);
    if (platform::ui::NavigationController* nav = navigationController())
        if (nav->topViewController() == this) nav->popViewControllerAnimated(true);
}

}  // namespace tovera
