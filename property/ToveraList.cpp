#include "property/ToveraList.h"

#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/Label.h"
#include "property/HouseTableView.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Image;
using platform::ui::Label;
using platform::ui::TabBar;
using platform::ui::TabBarItem;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kCountHeight = 30;
constexpr double kTabBarHeight = 49;

QString countText(int total) {
    return QStringLiteral("共有%1条符合条件的新房").arg(total);
}

}  // namespace

ToveraList::ToveraList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("新房"));
    RootScreenServices::shared().setBackItem(navigationItem());
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("筛选"), BarButtonItem::Style::Plain, [this] { openFilter(); }));
}

int ToveraList::sortCode(int tabIndex) {
    switch (tabIndex) {
        case 1:
            return 3;
        case 2:
            return 5;
        default:
            return 1;
    }
}

void ToveraList::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(NSUtil::listview_item());

    countView_ = new ButtonsView(QRectF(0, 0, kWidth, kCountHeight), root);
    keyWord_ = new Label(QRectF(10, 0, kWidth - 20, kCountHeight), countView_);
    keyWord_->setFont(NSUtil::smallFont());
    keyWord_->setTextColor(NSUtil::black());

    contentView_ =
        new View(QRectF(0, kCountHeight, kWidth, kHeight - kCountHeight - kTabBarHeight), root);
    contentView_->setAutoresizingMask(View::FlexibleSize);

    tabBar_ = new TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setItems({NSUtil::skinTabItem(QStringLiteral("最新"), "fic_tovera", 0),
                       NSUtil::skinTabItem(QStringLiteral("价格"), "fic_saleinfo", 1),
                       NSUtil::skinTabItem(QStringLiteral("关注度"), "fic_focus", 2)});
    tabBar_->setDelegate(this);
    setView(root);
}

void ToveraList::viewDidLoad() {
    QXViewController::viewDidLoad();
    list_ = new HouseTableView(this);
    list_->setParentViewController(this);
    list_->setOnLoaded([this](int total) {
        loaded_ = true;
        showCount(total);
    });
    View* listView = list_->view();
    listView->setFrame(contentView_->bounds());
    tabBar_->chooseItem(0);
    contentView_->addSubview(listView);
}

void ToveraList::viewWillAppear(bool) {
    if (loaded_) keyWord_->setText(countText(list_->total()));
}

void ToveraList::tabBarDidSelectItem(TabBar* tabBar, TabBarItem* item) {
    order_ = sortCode(tabBar->indexOfItem(item));
    doSearch(QXParam());
}

void ToveraList::doSearch(QXParam record) {
    record.setSearch(true);
    record.setOrder(std::to_string(order_));
    list_->param() = record;
    list_->reloadData();
}

void ToveraList::showCount(int total) {
    platform::ui::NavigationController* nav = navigationController();
    if (nav && nav->topViewController() != this) return;
    keyWord_->setText(countText(total));
}

void ToveraList::openFilter() {
    Route filter{Destination::ProjectFilter};
    filter.param.setApi("tovera");
    Navigator::open(this, filter);
}

}  // namespace tovera
