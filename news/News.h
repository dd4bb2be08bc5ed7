// The news home "资讯": a strip of the first four news categories plus
// "更多", the article list of the chosen category embedded below it, and a
// tab bar with search, favourites and a subscribe toggle for the chosen
// category.
//
// The strip is hidden unless the opener asks for it with hasBtnsView(true)
// before the view is built. Without the strip the screen shows the category
// in its param `type`.
#pragma once

#include <QPointer>

#include "framework/ButtonsView.h"
#include "framework/QXViewController.h"
#include "news/NewsList.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

class News : public QXViewController, public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    /// Operation codes the subscribe toggle sends next (its tag).
    static constexpr int kSubscribe = 2;
    static constexpr int kUnsubscribe = 0;

    explicit News(QObject* parent = nullptr);
    /// The news home as the home menu opens it: with its category strip.
    static News* withStrip();

    /// Shows (true) or hides the category strip; the article list fills
    /// what the strip leaves. Showing it on a built screen that holds no
    /// category loads the categories.
    void hasBtnsView(bool shown);
    bool showsBtnsView() const { return showsBtns_; }

    /// Loads the categories; the strip is rebuilt when they arrive.
    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// One button per held category and "更多"; the first is selected.
    void bindBtnsView();
    /// Chooses the category of the embedded list's "id" when the strip has
    /// it, else the first category.
    void loadNewsList();
    /// Puts the embedded list into the content area, filling it.
    void updateContentView();
    /// A category button: selects it, loads its articles, sets the toggle.
    void btnPressed(platform::ui::Button* button);
    /// "更多": the remaining categories.
    void moreCat(platform::ui::Button* button);
    /// A strip button chooses it again; anything else but a bar button
    /// reloads the categories.
    void refresh(QObject* sender);

    // TabBarDelegate
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    ButtonsView* btnsView() const { return btnsView_; }
    platform::ui::View* contentView() const { return contentView_; }
    platform::ui::TabBar* tabBar() const { return mTabBar_; }
    /// The subscribe toggle (the last tab item).
    platform::ui::TabBarItem* subscribeItem() const;
    NewsList* newsListController() const { return newsListController_; }
    const Array& dataArray() const { return dataArray_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    /// The category the embedded list shows ("" before one is chosen).
    std::string chosenCategory();
    /// Sets the toggle to what the next tap of category `cid` sends.
    void setToggleFor(int cid);
    void setToggle(int operation);
    void subscribe();
    void subscribeDidLoad(const Value& reply, const Dict& sent);
    void categoriesDidLoad(const Value& reply);
    void clearStrip();
    void pushNewsSearch();

    bool showsBtns_ = false;
    QPointer<ButtonsView> btnsView_;
    QPointer<platform::ui::View> contentView_;
    QPointer<platform::ui::TabBar> mTabBar_;
    QPointer<NewsList> newsListController_;
    Array dataArray_;
};

}  // namespace tovera
