// "皮肤设置": the skins of the configuration, one a row. Choosing one makes
// it the skin in use: every screen and the navigation bar take its colours
// and pictures at once, the choice outlives a restart, and the list closes.
#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class SetSkin : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit SetSkin(QObject* parent = nullptr);

    /// The configured skins: (title shown, value stored), in order; pairs
    /// that are not two texts are left out.
    static std::vector<std::pair<QString, std::string>> skins();

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    /// Makes the row's skin the one in use and closes the list.
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    std::vector<std::pair<QString, std::string>> skins_;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
