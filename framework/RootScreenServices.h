// The application-wide services the root screen offers every other screen:
// the login prompt, the load-failure alert, the standard back item and the
// back action, and a scratch dictionary through which screens hand values to
// each other. The home screen installs its own implementation; until it does
// (and in tests) this default one serves, with the same texts.
#pragma once

#include <QPointer>

#include <string_view>

#include "core/Value.h"

namespace tovera::platform::ui {
class NavigationController;
class NavigationItem;
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

class RootScreenServices {
public:
    virtual ~RootScreenServices() = default;

    /// The installed services, or the default ones.
    static RootScreenServices& shared();
    /// Installs `services` (not owned); nullptr restores the default.
    static void install(RootScreenServices* services);

    /// "提示" / "您还没有登录，请登录!" with "登录" (index 0) and "取消".
    virtual void alertViewTologin();
    /// "提示" / "加载失败，请重试!" / "确定". Dismissing it pops the top screen
    /// when that is `failedScreen` (the screen whose request failed; null for
    /// an embedded view), so a failure elsewhere never takes away another
    /// screen. While the alert shows, further failures add no second alert.
    virtual void errAlert(platform::ui::ViewController* failedScreen);
    /// A left back-style button "返回" whose action is back().
    virtual void setBackItem(platform::ui::NavigationItem* item);
    /// Pops the top screen of the application's navigation stack (animated).
    virtual void back();

    /// The session every screen talks to the service through: the one the
    /// home screen owns and hands over at start-up (tests hand their own).
    /// Null until then.
    DSTovera* session() const { return session_; }
    void setSession(DSTovera* session) { session_ = session; }
    /// Opens the page of user `uid`: the own profile for the signed-in user,
    /// else the user's page; ignored for an id of 0 or below or when the
    /// login check fails.
    void showUserInfo(int uid);
    /// Told when the user has just signed in (the home screen then asks for
    /// the unread counts).
    virtual void didSignIn() {}
    /// Asks for the unread counts (the home screen; nothing by default).
    virtual void newMessage() {}
    /// Shows the home screen's current tab again, so that its badges follow
    /// what has been read (nothing by default).
    virtual void reselectTab() {}

    /// The application's navigation stack: the key window's root screen
    /// when it is one.
    static platform::ui::NavigationController* rootNavigationController();

    /// The scratch parameters.
    virtual void saveParam(const Value& value, std::string_view key);
    virtual Value getParam(std::string_view key) const;
    virtual void removeParam(std::string_view key);

private:
    Dict scratch_;
    DSTovera* session_ = nullptr;
    bool errAlertShowing_ = false;
};

}  // namespace tovera
