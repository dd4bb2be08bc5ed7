// "推荐给好友": the user's friends (the blacklist left out) with a check mark
// each. With `api` "recommend" the object the opener names (`rid`, `type`)
// is recommended to the checked friends; with any other `api` the screen is
// a plain recipient picker that leaves the checked names, joined by ",",
// in the root screen's scratch parameter "users".
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class Recomment2Friends : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    static constexpr int kCheckTag = 1;

    explicit Recomment2Friends(QObject* parent = nullptr);
    ~Recomment2Friends() override;

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// "确定": recommends or hands the names over (see the class comment).
    void doRecomment();

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& dataArray() const { return dataArray_; }
    /// The friends checked now: id to name, in the order they were checked.
    const Dict& uids() const { return uids_; }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    void close();

    platform::ui::TableView* tableView_ = nullptr;
    Array dataArray_;
    Dict uids_;
};

}  // namespace tovera
