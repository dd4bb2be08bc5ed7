// "分组管理": the user's friend groups. "添加分组" and a row's rename button
// open a small name editor above the keyboard; confirming sends the name
// (the editor's field carries the group id, 0 for a new group). Deleting a
// group, by its button or by emptying its name, asks first, since its
// friends move to the default group.
#pragma once

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class TextField;
}  // namespace tovera::platform::ui

namespace tovera {

class NameEditor;

class GroupList : public QXViewController,
                  public platform::ui::TableViewDataSource,
                  public QXViewDelegate {
    Q_OBJECT
public:
    explicit GroupList(QObject* parent = nullptr);
    ~GroupList() override;

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// "添加分组": the editor, empty, for a new group.
    void addNewGroup();
    /// The editor's "确定".
    void addGroup();
    /// Asks "确定删除..." for the group; "删除" deletes it.
    void confirmDelete(int id, const QString& name);

    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;

    const Array& dataArray() const { return dataArray_; }
    platform::ui::TableView* tableView() const { return tableView_; }
    NameEditor* addGroupView() const { return addGroupView_; }
    /// The editor's field; its tag is the group being named (0: a new one).
    platform::ui::TextField* addGroupField() const;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void openEditor(int id, const QString& name);
    void update(int id, const std::string& name);

    Array dataArray_;
    platform::ui::TableView* tableView_ = nullptr;
    NameEditor* addGroupView_ = nullptr;
};

}  // namespace tovera
