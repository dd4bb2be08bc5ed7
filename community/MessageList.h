// The messages of one inbox tab ("t"/"type" 1 to 5), shown in "私信". Once a
// page has arrived and is shown, the private-message slot of the last-look
// times takes the time that page was asked for, and the home screen's
// badges are brought up to date.
#pragma once

#include <QDateTime>

#include <optional>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class MessageList : public QXViewController,
                    public platform::ui::TableViewDataSource,
                    public QXViewDelegate {
    Q_OBJECT
public:
    /// The slot of the private messages among the four last-look times.
    static constexpr std::size_t kMessageSlot = 3;

    explicit MessageList(QObject* parent = nullptr);
    ~MessageList() override;

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// A row whose action the service took reports with no button: reload.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;

    platform::ui::TableView* tableView() const { return tableView_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void stampLastLook(const QDateTime& asked);

    platform::ui::TableView* tableView_ = nullptr;
    /// When the page on its way was asked for.
    std::optional<QDateTime> asked_;
};

}  // namespace tovera
