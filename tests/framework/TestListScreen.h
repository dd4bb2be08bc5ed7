// A list screen built on QXViewController the way every list screen of the
// client is: first page, load more, pull-to-refresh, a thumbnail per row
// loaded on the screen's own queue. The request it issues is chosen by the
// test.
#pragma once

#include <functional>

#include "core/DSTovera.h"
#include "framework/CustomCell.h"
#include "framework/GetImageOperation.h"
#include "framework/OperationQueue.h"
#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class ImageView;
class Label;
}  // namespace tovera::platform::ui

namespace tovera::testing {

/// One row: a thumbnail and the row's "name" (or "title").
class ThumbCell : public CustomCell, public ImageDidLoadReceiver {
    Q_OBJECT
public:
    ThumbCell();
    void setInfo(const Dict& info) override;
    void imageDidLoad(const platform::ui::Image& image, int index) override;

    platform::ui::ImageView* thumb() const { return thumb_; }
    platform::ui::Label* name() const { return name_; }

private:
    platform::ui::ImageView* thumb_ = nullptr;
    platform::ui::Label* name_ = nullptr;
};

class TestListScreen : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    using Issue = std::function<void(DSTovera&, Dict&, QXRequestDelegate*)>;

    /// By default the home list ("system/home.aspx", type 4).
    explicit TestListScreen(DSTovera& session, Issue issue = {});

    void reloadData() override { loadFirstPage(); }
    void doRequest() override { issue_(session_, param().param(), this); }
    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override {
        return 60;
    }

    platform::ui::TableView* table() const { return table_; }
    OperationQueue& images() { return images_; }

    int didLoadCount = 0;
    int failureCount = 0;
    Value lastReply;
    /// Told every reply that reaches the screen, before it is used.
    std::function<void(const Value&)> onDidLoad;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    DSTovera& session_;
    Issue issue_;
    platform::ui::TableView* table_ = nullptr;
    OperationQueue images_{4};
};

}  // namespace tovera::testing
