// The one way a screen opens a screen of another part of the app. Each
// subsystem registers a builder for the destinations it owns once at
// start-up; a screen asks for a destination with its parameters, and the
// navigator builds the target and shows it. A destination nobody built yet
// opens the "暂未开放" placeholder, which is made here and nowhere else.
#pragma once

#include <QString>

#include <functional>

#include "core/QXParam.h"
#include "framework/Destination.h"

namespace tovera::platform::ui {
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

/// Where to go and with what: the parameters go into the target's parameter
/// record, and `title` (when not empty) is the caption the opening place
/// shows for it, such as a menu entry's.
struct Route {
    Destination to;
    QXParam param = {};
    QString title = {};

    /// The object `rid` of a destination that shows one.
    static Route toObject(Destination to, const Value& rid) {
        Route route{to};
        route.param.setRid(rid);
        return route;
    }
};

/// Hands the route's parameters, and its title when it has one, to a screen
/// with a parameter record; returns the screen.
template <class Screen>
Screen* withRoute(Screen* screen, const Route& route) {
    screen->setParam(route.param);
    if (!route.title.isEmpty()) screen->setTitle(route.title);
    return screen;
}

class Navigator {
public:
    using Builder = std::function<platform::ui::ViewController*(const Route&)>;

    /// Registers (or replaces) the builder of `destination`.
    static void registerBuilder(Destination destination, Builder builder);
    /// Forgets every builder (tests start from none).
    static void clear();
    static bool hasBuilder(Destination destination);

    /// The target screen: the registered builder's screen, or null (and a
    /// log line) when there is no builder or it built nothing. Every
    /// destination has a builder in the application.
    static platform::ui::ViewController* build(const Route& route);
    /// Builds the target and pushes it on `from`'s navigation stack, or on
    /// the application's stack when `from` is null. Returns the pushed
    /// screen, or null when there is no stack to push on (a screen that is
    /// on no stack opens nothing).
    static platform::ui::ViewController* open(platform::ui::ViewController* from,
                                              const Route& route);
    /// Builds the target and presents it modally over `from`.
    static platform::ui::ViewController* present(platform::ui::ViewController* from,
                                                 const Route& route);

    /// Pushes `target` (taking ownership) as open() does; a screen that can
    /// be pushed nowhere is deleted, and a null target opens nothing.
    static platform::ui::ViewController* push(platform::ui::ViewController* from,
                                              platform::ui::ViewController* target);
};

}  // namespace tovera
