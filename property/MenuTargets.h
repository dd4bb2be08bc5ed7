// The module menu's entries and where each one leads. Every entry of the four
// menu pages (page = tab index 1 to 4, position = place in its grid) names a
// destination of the navigator, with the one parameter some targets take;
// the subsystem that owns a destination builds its screen.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "framework/Navigator.h"

namespace tovera {

struct MenuEntry {
    /// The menu page (tab index 1 to 4); 0 for entries reached by key only.
    int type;
    int position;
    /// The icon key ("fic_news"); also names the entry.
    const char* key;
    const char* caption;
    bool loginRequired;
    /// Where the entry leads; none for the logout entry, which the menu
    /// handles itself.
    std::optional<Destination> to;
    /// The parameter the target is given ("type" or "api"), when it takes one.
    const char* paramKey = nullptr;
    const char* paramValue = nullptr;
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
    /// Where `entry` leads, titled by its caption.
    static Route route(const MenuEntry& entry);
};

}  // namespace tovera
