// Where the news screens send the user: the article screen, and the screens
// of other subsystems a news row points at. Every target is pushed on the
// navigation stack of the screen the tap came from.
#pragma once

#include <QString>

#include <string>

namespace tovera::platform::ui {
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class NewsTargets {
public:
    /// Pushes `target` (taking ownership) on `from`'s navigation stack; a
    /// screen that is on no stack (or gone) drops it.
    static void push(platform::ui::ViewController* from, platform::ui::ViewController* target);
    /// The article `id` ("0" when missing).
    static void openArticle(platform::ui::ViewController* from, const std::string& id);
    /// A screen of a later subsystem, titled `title`, that is not available yet.
    static void openUnavailable(platform::ui::ViewController* from, const QString& title);
};

}  // namespace tovera
