// The paged comment list "评论". For one object's comments the rows carry no
// caption; in a site-wide listing (titles shown) every row names the
// commented object and choosing it opens that object's comments.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class CommentCells;

class CommentList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit CommentList(QObject* parent = nullptr);
    ~CommentList() override;

    /// First page of the listing the param names.
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Captions shown (site-wide listing) or hidden (one object's comments).
    void setHiddeTitle(bool hidden) { hiddeTitle_ = hidden; }
    bool hiddeTitle() const { return hiddeTitle_; }

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    /// The records loaded so far.
    const Array& commentArray() { return items(); }
    CommentCells* cells() const { return cells_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    /// Every row is measured again and the table shows the new heights.
    void finishLoading();

    platform::ui::TableView* tableView_ = nullptr;
    CommentCells* cells_ = nullptr;
    bool hiddeTitle_ = true;
};

}  // namespace tovera
