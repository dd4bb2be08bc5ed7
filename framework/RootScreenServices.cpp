#include "framework/RootScreenServices.h"

#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/Alert.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"

namespace tovera {

using platform::ui::NavigationController;
using platform::ui::ViewController;

namespace {
RootScreenServices* installed = nullptr;
}  // namespace

RootScreenServices& RootScreenServices::shared() {
    static RootScreenServices fallback;
    return installed ? *installed : fallback;
}

void RootScreenServices::install(RootScreenServices* services) {
    installed = services;
}

void RootScreenServices::alertViewTologin() {
    platform::showAlert({"提示", "您还没有登录，请登录!", {"登录", "取消"}, 0, {}});
}

void RootScreenServices::errAlert(ViewController* failedScreen) {
    if (errAlertShowing_) return;
    errAlertShowing_ = true;
    QPointer<ViewController> screen(failedScreen);
    platform::Alert alert{"提示", "加载失败，请重试!", {"确定"}, 0, {}};
    alert.onButton = [this, screen, embedded = failedScreen == nullptr](int) {
        errAlertShowing_ = false;
        if (embedded || !screen) return;
        NavigationController* nav = screen->navigationController();
        if (nav && nav->topViewController() == screen && nav->viewControllers().size() > 1)
            nav->popViewControllerAnimated(true);
    };
    platform::showAlert(std::move(alert));
}

void RootScreenServices::setBackItem(platform::ui::NavigationItem* item) {
    NavigationStyle::setBackItem(item);
}

void RootScreenServices::back() {
    if (NavigationController* nav = rootNavigationController())
        nav->popViewControllerAnimated(true);
}

void RootScreenServices::showUserInfo(int uid) {
    if (uid <= 0 || !session_ || !session_->checkLogin()) return;
    const std::string id = std::to_string(uid);
    const bool me = session_->isMe(id);
    Route page = Route::toObject(me ? Destination::Profile : Destination::UserPage, id);
    if (me) page.param.setType("1");
    Navigator::open(nullptr, page);
}

void RootScreenServices::saveParam(const Value& value, std::string_view key) {
    scratch_.set(key, value);
}

Value RootScreenServices::getParam(std::string_view key) const {
    return scratch_[key];
}

void RootScreenServices::removeParam(std::string_view key) {
    scratch_.remove(key);
}

NavigationController* RootScreenServices::rootNavigationController() {
    platform::ui::Window* window = platform::ui::Window::keyWindow();
    if (!window) return nullptr;
    return qobject_cast<NavigationController*>(window->rootViewController());
}

}  // namespace tovera
