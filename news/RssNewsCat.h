// The news category subscriptions ("订阅资讯" of the message settings): every
// category with its subscriber count and a check mark; tapping a row flips
// the mark and marks the host screen's save button as having unsaved
// changes (its tag 1); subScribe() saves the marked set.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

#include "framework/QXViewController.h"
#include "framework/SavableChoices.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class DSTovera;

class RssNewsCat : public QXViewController,
                   public platform::ui::TableViewDataSource,
                   public SavableChoices {
    Q_OBJECT
public:
    /// The host's right bar button tag while edits are unsaved.
    static constexpr int kUnsaved = 1;

    explicit RssNewsCat(QObject* parent = nullptr);

    /// The screen whose right bar button carries the unsaved mark (the
    /// settings screen that embeds this list). Unset: the screen this one
    /// is embedded in (its parent screen unless that is a navigation stack),
    /// else this screen.
    void setHost(platform::ui::ViewController* host) { host_ = host; }
    platform::ui::ViewController* host();

    /// Loads the categories with their marks for the chosen city.
    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// The subscribed category ids, last row first, joined by "|"; "0" for none.
    std::string rssIds() const;
    /// Saves the marked set.
    void subScribe();
    /// subScribe(), then tells `done` whether the service kept the set.
    void saveChoices(std::function<void(bool saved)> done) override;

    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& dataArray() const { return dataArray_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    /// Flips the row's mark and marks the host unsaved.
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    /// The first appearance (animated or not) loads the list.
    void viewWillAppear(bool animated) override;

private:
    void setUnsavedMark(int mark);
    static bool isSave(const QXRequest* request);
    /// Tells the waiting host, once, how the save ended.
    void saveEnded(bool saved);

    std::function<void(bool)> saved_;

    QPointer<platform::ui::ViewController> host_;
    platform::ui::TableView* tableView_ = nullptr;
    Array dataArray_;
};

}  // namespace tovera
