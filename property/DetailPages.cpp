#include "property/DetailPages.h"

#include "framework/ButtonsView.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/TabBarItem.h"

namespace tovera {

using platform::ui::View;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kButtonsHeight = 36;
constexpr double kTabBarHeight = 49;
}  // namespace

DetailPages::Layout DetailPages::layout(const QStringList& tabs,
                                        platform::ui::TabBarDelegate* delegate) {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    auto* buttons = new ButtonsView(QRectF(0, 0, kWidth, kButtonsHeight));
    auto* content = new platform::ui::ScrollView(
        QRectF(0, kButtonsHeight, kWidth, kHeight - kButtonsHeight - kTabBarHeight));
    content->setBackgroundColor(Qt::white);
    root->addSubview(content);
    root->addSubview(buttons);
    auto* tabBar =
        new platform::ui::TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight));
    QList<platform::ui::TabBarItem*> items;
    for (const QString& tab : tabs)
        items << new platform::ui::TabBarItem(tab, {}, int(items.size()));
    tabBar->setItems(items);
    tabBar->setDelegate(delegate);
    root->addSubview(tabBar);
    return {root, buttons, content, tabBar};
}

DetailPages::DetailPages(platform::ui::ScrollView* area, platform::ui::ScrollView* summary,
                         platform::ui::ViewController* owner)
    : area_(area), summary_(summary), owner_(owner) {}

void DetailPages::show(QWidget* page, Fit fit) {
    if (page_ && page_ != page) {
        page_->hide();
        if (page_ != summary_) page_->deleteLater();
    }
    if (screen_ && screen_->view() != page) {
        screen_->deleteLater();
        screen_ = nullptr;
    }
    page_ = page;
    area_->setContentOffset(QPointF(0, 0));
    area_->setContentSize(area_->frame().size());
    if (page == summary_) {
        summary_->setFrame(area_->frame());
        summary_->setContentOffset(QPointF(0, 0));
        summary_->raise();
        summary_->show();
        return;
    }
    auto* view = qobject_cast<View*>(page);
    if (view && fit == Fit::Fill) view->setFrame(QRectF(QPointF(0, 0), area_->frame().size()));
    area_->addSubview(page);
    if (view && fit == Fit::OwnHeight) area_->setContentSize(view->frame().size());
    page->show();
}

void DetailPages::showScreen(platform::ui::ViewController* screen) {
    if (!screen) return;
    screen->setParent(owner_);
    screen->setParentViewController(owner_);
    show(screen->view());
    screen_ = screen;
    screen->beginAppearance(false);
    screen->endAppearance(false);
}

}  // namespace tovera
