#include "property/MenuIcons.h"

#include "core/PreferenceKeys.h"
#include "framework/ButtonItem.h"
#include "framework/NSUtil.h"
#include "framework/NoticeView.h"
#include "framework/SkinChange.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Image.h"
#include "property/Tovera.h"

namespace tovera {

using platform::ui::Image;
using platform::ui::View;
using platform::ui::ViewController;

namespace {

constexpr int kColumns = 3;
constexpr double kItemSide = 70;
constexpr double kBadgeSide = 30;
// Profile completion (whole percent) from which recommendations open.
constexpr int kCompleteEnough = 60;

}  // namespace

MenuIcons::MenuIcons(Tovera* rootController, int type, QObject* parent)
    : ViewController(parent), rootController_(rootController), type_(type) {}

void MenuIcons::loadView() {
    gridView_ = new GridView(QRectF(0, 0, 320, 367));
    setView(gridView_);
    // The icons are skinned: the grid sets them again after a skin change.
    SkinChange::follow(gridView_, [grid = gridView_] { grid->reloadData(); });
}

void MenuIcons::viewDidLoad() {
    gridView_->setColumNum(kColumns);
    gridView_->setGridDelegate(this);
    gridView_->setBackgroundColor(NSUtil::listview_item());
    reloadData();
}

void MenuIcons::reloadData() {
    dataArray_ = MenuTargets::page(type_);
    if (gridView_) gridView_->reloadData();
}

bool MenuIcons::hasBadge(std::string_view key) {
    return key == "fic_recommend" || key == "fic_focus" || key == "fic_rss" || key == "fic_message";
}

int MenuIcons::badgeNumber(std::string_view number, int position) {
    const std::vector<std::string> parts = NSUtil::explode(number, ",");
    const int index = position > 2 ? position - 1 : position;
    if (index < 0 || index >= int(parts.size())) return 0;
    return Value(parts[std::size_t(index)]).intValue();
}

int MenuIcons::numberOfItems(GridView*) {
    if (type_ == 4 && !dataArray_.empty()) {
        const bool signedIn = rootController_ && rootController_->DStovera().isUserLoggedin();
        if (const MenuEntry* account = MenuTargets::byKey(signedIn ? "fic_logout" : "fic_login")) {
            dataArray_[0] = *account;
            dataArray_[0].type = type_;
        }
    }
    return int(dataArray_.size());
}

View* MenuIcons::viewForItemAtPosition(GridView* grid, int position) {
    if (position < 0 || position >= int(dataArray_.size())) return nullptr;
    const MenuEntry& entry = dataArray_[std::size_t(position)];
    auto* item = qobject_cast<ButtonItem*>(grid->getItemAtPosition(position));
    if (!item) {
        item = new ButtonItem(QRectF(0, 0, kItemSide, kItemSide));
        if (hasBadge(entry.key))
            item->addSubview(new NoticeView(QRectF(0, 0, kBadgeSide, kBadgeSide)));
    }
    const std::string_view icon =
        entry.key == std::string_view("fic_salefocus") ? "fic_saleinfo" : entry.key;
    item->setIconImage(NSUtil::skinImage(icon));
    item->setLable(QString::fromUtf8(entry.caption));
    if (NoticeView* badge = item->noticeView()) {
        const std::string number = rootController_ ? rootController_->DStovera().number() : "";
        badge->setNum(badgeNumber(number, position));
    }
    return item;
}

void MenuIcons::didSelectItemAtPosition(GridView*, int position) {
    if (position < 0 || position >= int(dataArray_.size()) || !rootController_) return;
    const MenuEntry entry = dataArray_[std::size_t(position)];
    if (entry.loginRequired && !rootController_->checkLogin()) return;
    if (entry.key == std::string_view("fic_logout")) {
        confirmLogout();
    } else if (entry.key == std::string_view("fic_recommend")) {
        openRecommend(entry);
    } else {
        open(entry);
    }
}

void MenuIcons::open(const MenuEntry& entry) {
    if (!entry.to || !rootController_) return;
    Navigator::open(rootController_, MenuTargets::route(entry));
}

void MenuIcons::openRecommend(const MenuEntry& entry) {
    const std::optional<std::string> completion =
        platform::preferences().string(PrefKey::kCompletion);
    if (completion && Value(*completion).intValue() >= kCompleteEnough) {
        open(entry);
        return;
    }
    platform::ui::NavigationController* nav = rootController_->navigationController();
    if (!nav) return;
    Route edit{Destination::ProfileEdit, {}, QString::fromUtf8(entry.caption)};
    const std::optional<std::string>& user = rootController_->DStovera().userId();
    edit.param.setRid(user ? Value(*user) : Value("0"));
    edit.param.setType("2");
    edit.param.setApi("recommand");
    QPointer<ViewController> pushed(Navigator::open(rootController_, edit));
    platform::Alert prompt{"提示", "请完善置业信息", {"确定", "返回"}, 1, {}};
    prompt.onButton = [pushed, nav = QPointer(nav)](int index) {
        if (index == 1 && pushed && nav && nav->topViewController() == pushed)
            nav->popViewControllerAnimated(true);
    };
    platform::showAlert(std::move(prompt));
}

void MenuIcons::confirmLogout() {
    platform::Alert confirm{"提示", "您确定要退出登录吗?", {"确定", "取消"}, 0, {}};
    confirm.onButton = [self = QPointer(this)](int index) {
        if (index == 0 && self) self->logout();
    };
    platform::showAlert(std::move(confirm));
}

void MenuIcons::logout() {
    if (!rootController_) return;
    DSTovera& session = rootController_->DStovera();
    session.setUid(std::nullopt, std::nullopt, session.cityId());
    // Without this the next request would sign the user in again at once,
    // automatically or to finish a password change.
    session.setNeedRelogin(false);
    DSTovera::forgetTypedPassword();
    platform::Preferences& prefs = platform::preferences();
    prefs.setBool(PrefKey::kAutologin, false);
    prefs.remove(PrefKey::kPassword);
    prefs.remove(PrefKey::kRelogin);
    if (!prefs.synchronize()) platform::logLine("preferences not written");
    rootController_->showUnreadTotal();
    reloadData();
}

}  // namespace tovera
