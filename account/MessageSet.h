// "消息设置": two tabs over two embedded lists. "关注楼盘" ("关注设置") lists
// the projects the user follows, each with "取消关注", and offers "楼盘" to
// find more; "订阅资讯" ("订阅设置") lists the news categories to tick, and
// "订阅" saves them. Leaving with unsaved ticks asks "是否保存订阅?".
#pragma once

#include <QPointer>

#include <array>

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;

class MessageSet : public QXViewController {
    Q_OBJECT
public:
    enum Tab { kFollowed, kSubscriptions };

    explicit MessageSet(QObject* parent = nullptr);

    /// Selects tab `index` alone and shows its list.
    void btnPressed(platform::ui::Button* button);
    /// Saves the ticked subscriptions.
    void rssPost();
    /// Leaves; with unsaved ticks on the subscription tab asks first.
    void back();

    int index() const { return index_; }
    ButtonsView* btnsView() const { return btnsView_; }
    platform::ui::ViewController* viewController(int index) const;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void showTab(int index);
    bool hasUnsavedSubscriptions();
    /// Saves, and leaves only once the service kept the choice.
    void saveThenLeave();
    void leave();

    ButtonsView* btnsView_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    std::array<QPointer<platform::ui::ViewController>, 2> viewControllers_;
    int index_ = kFollowed;
    bool saving_ = false;
};

}  // namespace tovera
