#include "account/SetList.h"

#include "account/CentredRow.h"
#include "account/SetSkin.h"
#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "platform/Alert.h"
#include "platform/Browser.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

SetList::SetList(QObject* parent)
    : QXViewController(true, parent),
      setArray_{QStringLiteral("皮肤设置"), QStringLiteral("检查更新"), QStringLiteral("用户反馈"),
                QStringLiteral("关于")} {}

void SetList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void SetList::viewDidLoad() {
    QXViewController::viewDidLoad();
    setTitle(QStringLiteral("设置"));
    tableView_->reloadData();
}

int SetList::numberOfRowsInSection(TableView*, int) {
    return int(setArray_.size());
}

TableViewCell* SetList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    return centredRow(table, setArray_[std::size_t(indexPath.row)], true);
}

void SetList::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    switch (indexPath.row) {
        case kSkin:
            Navigator::push(this, new SetSkin);
            break;
        case kUpdate:
            checkUpdate();
            break;
        case kFeedback: {
            Route feedback{Destination::Correction};
            feedback.title = QStringLiteral("用户反馈");
            feedback.param.setType("4");
            Navigator::open(this, feedback);
            break;
        }
        case kAbout:
            showAbout();
            break;
        default:
            break;
    }
}

void SetList::checkUpdate() {
    if (ActivityView* overlay = activityView()) overlay->show(this);
    Dict params;
    DSTovera::systemUpdate(params, this);
}

std::optional<std::string> SetList::newerVersion(const Value& reply) {
    const Array* rows = reply["result"].array();
    if (!rows) return std::nullopt;
    for (const Value& row : *rows) {
        if (row.getStringValueForKey("platform", "") != "ios") continue;
        const int configured = NSUtil::config("code").intValue();
        if (row["code"].intValue() <= configured) return std::nullopt;
        return row.getStringValueForKey("url", "");
    }
    return std::nullopt;
}

void SetList::requestDidLoad(QXRequest*, const Value& reply) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    const std::optional<std::string> store = newerVersion(reply);
    if (!store) {
        NSUtil::makeText("您当前的版本为最新版本!").show();
        return;
    }
    platform::Alert alert{"提示", "检测到新版本，请更新!", {"确定", "取消"}, 1, {}};
    alert.onButton = [address = *store](int index) {
        if (index == 0) platform::Browser::shared().openUrl(address);
    };
    platform::showAlert(std::move(alert));
}

// Not knowing is not being current: a check that never got its answer says so.
void SetList::requestDidFailWithError(QXRequest*, const Error&) {
    if (ActivityView* overlay = activityView()) overlay->disMiss();
    NSUtil::makeText("检查更新失败，请稍后再试").show();
}

std::string SetList::aboutText() {
    const std::string version = NSUtil::config("version").toText();
    return "安家房产网\r\n(tovera.example)\r\n手机客户端系统\r\nfor iPhone v" + version +
           "\r\nTovera开发团队";
}

void SetList::showAbout() {
    platform::showAlert({"关于", aboutText(), {"确定"}, 0, {}});
}

}  // namespace tovera
