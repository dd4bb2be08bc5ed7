// "讨论区": the discussion of a live room, newest first, ten to a page with
// "加载更多" and pull-to-refresh. The room's polling calls refreshNewest(),
// which asks for the first page only and puts the posts that arrived since
// above those held: the further pages read so far and the reader's place
// stay. A page read after new posts arrived skips the posts already held
// (each new post moves the older ones one place down the service's pages).
#pragma once

#include <set>

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class DiscussList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit DiscussList(QObject* parent = nullptr);

    /// The first page; the list shown stays until it arrives.
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// The posts that arrived since the last read, added above the list.
    void refreshNewest();

    void requestLoading(QXRequest* request) override;
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    Dict row(int index) const;
    /// Puts the newest posts of a first page above the list.
    void mergeNewest(const Value& reply);
    /// A page past the first without the posts already held.
    Value withoutHeld(const Value& reply, const QXRequest* request) const;

    platform::ui::TableView* tableView_ = nullptr;
    bool issuingNewest_ = false;
    bool answeringNewest_ = false;
    std::set<const QXRequest*> newestRequests_;
    /// A first page is on its way; it replaces the list anyway.
    bool firstPending_ = false;
};

}  // namespace tovera
