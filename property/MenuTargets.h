// The module menu's entries and what each one opens. Every entry of the four
// menu pages (page = tab index 1 to 4, position = place in its grid) maps to
// one function that builds its target screen; a target whose screen does not
// exist yet is an UnavailableScreen with the entry's caption. The other
// screens the home screen opens (login, city choice, project detail, user
// pages) are built here too, so wiring a finished screen is one line.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace tovera::platform::ui {
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

/// What a target is built from.
struct MenuTargetInput {
    QString caption;
    DSTovera& session;
};

using MenuTargetBuilder = platform::ui::ViewController* (*)(const MenuTargetInput&);

struct MenuEntry {
    /// The menu page (tab index 1 to 4); 0 for entries reached by key only.
    int type;
    int position;
    /// The icon key ("fic_news"); also names the entry.
    const char* key;
    const char* caption;
    bool loginRequired;
    /// Null for the logout entry, which the menu handles itself.
    MenuTargetBuilder open;
};

class MenuTargets {
public:
    /// Every entry: pages 1 to 4 in display order, then those reached by key
    /// only ("fic_logout", "fic_topic", "fic_live").
    static const std::vector<MenuEntry>& entries();
    /// The entries of one page, by position (page 4 starts with "fic_login").
    static std::vector<MenuEntry> page(int type);
    /// The entry with that icon key, or null.
    static const MenuEntry* byKey(std::string_view key);

    // Targets opened from outside the menu grid.

    /// "用户登录": the login screen.
    static platform::ui::ViewController* userLogin();
    /// "切换城市": the city choice, presented modally over the home screen.
    static platform::ui::ViewController* chooseCity();
    /// Profile editing asked for by "网站推荐" while the profile is incomplete
    /// (rid = the user, type "2", api "recommand").
    static platform::ui::ViewController* recommendProfileEdit(const MenuTargetInput& input);
    /// A user's page: the own profile (type "1") or another user's page.
    static platform::ui::ViewController* userPage(int uid, bool isMe);
    /// The detail of a new-build project of the home list.
    static platform::ui::ViewController* toveraDetail(const std::string& rid);
};

}  // namespace tovera
