// "咨询详情": one question with its project link, asker, text and pictures,
// the customer-service answer, the best answer, and the other answers. The
// tab bar starts a new question, lets the asker close the question, and
// answers it while it is open. Coming back to the screen reloads only the
// answers, so an answer just written shows.
#pragma once

#include <QList>
#include <QPointer>

#include "framework/QXViewController.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/TabBarItem.h"

namespace tovera {

class AskDetailView;

class AskDetail : public QXViewController, public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    /// The tab items as first made, by index.
    enum Tab { kNewQuestion, kClose, kAnswer };

    explicit AskDetail(QObject* parent = nullptr);

    /// The overlay, then the question asked for again.
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// Shows the tab items the question and the viewer call for.
    void updateTabbar();
    /// Closes the question (asked after the confirmation).
    void closeAsk();
    /// Opens the form for an answer.
    void reply();

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    const Dict& detail() const { return detail_; }
    AskDetailView* scrollView() const { return scrollView_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    /// The items as first made: new question, close, answer.
    const QList<QPointer<platform::ui::TabBarItem>>& tabbarItems() const { return tabbarItems_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    void askToClose();

    AskDetailView* scrollView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    QList<QPointer<platform::ui::TabBarItem>> tabbarItems_;
    Dict detail_;
};

}  // namespace tovera
