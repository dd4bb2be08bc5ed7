#include "account/MessageSet.h"

#include "core/DSTovera.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/SavableChoices.h"
#include "platform/Alert.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::View;
using platform::ui::ViewController;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 44;
// The right button's tag while the subscription list holds unsaved ticks.
constexpr int kUnsaved = 1;
}  // namespace

MessageSet::MessageSet(QObject* parent) : QXViewController(false, parent) {
    navigationItem()->setLeftBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("返回"), BarButtonItem::Style::Back, [this] { back(); }));
}

void MessageSet::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kHeight));
    btnsView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    contentView_ = new View(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight), root);
    contentView_->setAutoresizingMask(View::FlexibleSize);
    setView(root);
}

void MessageSet::viewDidLoad() {
    QXViewController::viewDidLoad();
    // Carrying the user marks it as a list of what the user follows: a
    // project followed or unfollowed above flags it for a reload.
    param().setUid(session().userId().value_or("0"));
    const Destination lists[] = {Destination::FollowedProjects, Destination::NewsSubscriptions};
    // Opened for the subscriptions ("2"), it starts on their tab.
    if (param().type() == "2") index_ = kSubscriptions;
    // Both lists load now; the one shown first loads as it is shown.
    for (std::size_t i = 0; i < viewControllers_.size(); ++i) {
        ViewController* list = Navigator::build(Route{lists[i]});
        if (!list) continue;
        list->setParent(this);
        list->setParentViewController(this);
        list->view()->hide();
        viewControllers_[i] = list;
        if (auto* screen = qobject_cast<QXViewController*>(list); screen && int(i) != index_)
            screen->reloadData();
    }
    NSUtil::createBtns({"关注楼盘", "订阅资讯"}, btnsView_,
                       [this](Button* button) { btnPressed(button); });
    const QList<QWidget*> tabs = btnsView_->subviews();
    for (int i = 0; i < tabs.size(); ++i)
        if (auto* tab = qobject_cast<Button*>(tabs[i])) tab->setTag(i);
    btnPressed(qobject_cast<Button*>(tabs.value(index_)));
}

// Back from a project followed or unfollowed above, the followed list
// loads again.
void MessageSet::viewWillAppear(bool) {
    if (!takeRefreshFlag()) return;
    if (auto* followed = qobject_cast<QXViewController*>(viewControllers_[kFollowed].data())) {
        followed->param().setString("1", "refresh");
        if (index_ == kFollowed) followed->willBeShown();
    }
}

ViewController* MessageSet::viewController(int index) const {
    return index >= 0 && index < int(viewControllers_.size()) ? viewControllers_[index].data()
                                                              : nullptr;
}

void MessageSet::btnPressed(Button* button) {
    if (!button) return;
    QXViewController::btnsView(btnsView_, button);
    index_ = button->tag() == kSubscriptions ? kSubscriptions : kFollowed;
    if (index_ == kFollowed) {
        setTitle(QStringLiteral("关注设置"));
        navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
            QStringLiteral("楼盘"), BarButtonItem::Style::Plain,
            [this] { Navigator::open(this, Route{Destination::ProjectList}); }));
    } else {
        setTitle(QStringLiteral("订阅设置"));
        navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
            QStringLiteral("订阅"), BarButtonItem::Style::Plain, [this] { rssPost(); }));
    }
    showTab(index_);
}

void MessageSet::showTab(int index) {
    for (std::size_t i = 0; i < viewControllers_.size(); ++i)
        if (ViewController* list = viewControllers_[i];
            list && int(i) != index && list->isViewLoaded())
            list->view()->hide();
    ViewController* list = viewController(index);
    if (!list) return;
    View* page = list->view();
    page->setParent(contentView_);
    page->setFrame(contentView_->bounds());
    if (auto* screen = qobject_cast<QXViewController*>(list)) screen->willBeShown();
    list->beginAppearance(false);
    page->show();
    list->endAppearance(false);
}

void MessageSet::rssPost() {
    if (auto* choices = dynamic_cast<SavableChoices*>(viewController(kSubscriptions)))
        choices->saveChoices({});
}

bool MessageSet::hasUnsavedSubscriptions() {
    BarButtonItem* right = navigationItem()->rightBarButtonItem();
    return index_ == kSubscriptions && right && right->tag() >= kUnsaved;
}

void MessageSet::back() {
    if (saving_) return;
    if (!hasUnsavedSubscriptions()) {
        leave();
        return;
    }
    platform::Alert ask{"提示", "是否保存订阅?", {"保存", "取消"}, 0, {}};
    ask.onButton = [self = QPointer<MessageSet>(this)](int index) {
        if (!self) return;
        if (index == 0)
            self->saveThenLeave();
        else
            self->leave();
    };
    platform::showAlert(std::move(ask));
}

// The screen stays until the save is answered, so its outcome (or the
// alert of a failure) shows over the screen it belongs to; a failed save
// keeps the screen and the ticks for another try.
void MessageSet::saveThenLeave() {
    auto* choices = dynamic_cast<SavableChoices*>(viewController(kSubscriptions));
    if (!choices) {
        leave();
        return;
    }
    saving_ = true;
    choices->saveChoices([self = QPointer<MessageSet>(this)](bool saved) {
        if (!self) return;
        self->saving_ = false;
        if (saved) self->leave();
    });
}

void MessageSet::leave() {
    if (platform::ui::NavigationController* nav = navigationController())
        if (nav->topViewController() == this) nav->popViewControllerAnimated(true);
}

}  // namespace tovera
