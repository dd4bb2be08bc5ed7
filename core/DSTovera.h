// The one door to the web service and the holder of the signed-in session.
// The class-level operations over the local store come first; the session
// and the service operations follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Value.h"

namespace tovera {

class QXRequestDelegate;

class DSTovera {
public:
    // Local store (class-level; no session needed).

    /// Whether a request for `url` (the GET address built from parameters
    /// without "access_token") must go to the network: true when no fetch of
    /// it is recorded or the recorded one is more than 50 seconds old.
    static bool searchUrlCaches(std::string_view url);
    /// Records a fetch of `url` now. Returns whether it was written.
    static bool updateUrlCaches(std::string_view url);
    /// Keeps an article read by the user. A "favorite" of 0 or more is
    /// stored; a negative or null one keeps the stored mark. An empty
    /// dictionary is ignored. Returns whether the article was written.
    static bool newsDetailCaches(const Dict& article);
    /// The favourite mark of a kept article; 0 for an id of 0 or below or an
    /// article not kept.
    static int isfavorite(int newsId);
    /// Sets the favourite mark of a kept article. Returns true when it
    /// FAILED: an id of 0 or below, no article of that id, or a failed write.
    static bool favorite(int mark, int newsId);
    /// Every kept article marked as favourite ("id", "title", "summary",
    /// "update_at", "images", "favorite" = "1"), in table order. Also handed
    /// to `delegate`'s requestDidLoad with no request when one is given.
    static Array getFavorite(QXRequestDelegate* delegate = nullptr);
    /// Replaces the kept news categories with `categories` (a list of
    /// dictionaries with "cid", "catname", "subscribed"), all or nothing.
    /// An empty list (or anything but a list) is ignored. Returns whether the
    /// list was written.
    static bool newsSortCaches(const Value& categories);
    /// The password kept for `username`; nothing for an empty or missing name.
    static std::optional<std::string> getPassword(std::optional<std::string_view> username);
    /// Keeps `password` for `username`, replacing an earlier one. False when
    /// either is missing or the write failed.
    static bool setPassword(std::optional<std::string_view> password,
                            std::optional<std::string_view> username);
    /// Where a downloaded file of that name lives: `<home>/Documents/<name>`.
    /// A name that is not a safe file name (a "/", "..", empty, too long)
    /// gives an empty path, which no file operation accepts.
    static std::string filePath(std::string_view fileName);
};

}  // namespace tovera
