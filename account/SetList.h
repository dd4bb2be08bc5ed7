// "设置": the settings menu. "皮肤设置" opens the skin list, "检查更新" asks
// the service whether a newer client is out, "用户反馈" opens the feedback
// form and "关于" says which client this is.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class SetList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    enum Row { kSkin, kUpdate, kFeedback, kAbout };

    explicit SetList(QObject* parent = nullptr);

    const std::vector<QString>& setArray() const { return setArray_; }
    platform::ui::TableView* tableView() const { return tableView_; }

    /// Asks the service for the versions of the client.
    void checkUpdate();
    /// The update check's verdict on a reply: the store address of the
    /// first "ios" row whose "code" is above the configured one; nothing
    /// when the client is current (no such row, or not newer).
    static std::optional<std::string> newerVersion(const Value& reply);
    /// The "关于" alert.
    static void showAbout();
    /// Its five lines.
    static std::string aboutText();

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

    // The update check answers here, not through the screen base: its
    // reply carries no "code" of its own and its failure has its own toast.
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

protected:
    void loadView() override;
    /// The menu's title gives way to "设置" once the rows are there.
    void viewDidLoad() override;

private:
    std::vector<QString> setArray_;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
