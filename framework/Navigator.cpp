#include "framework/Navigator.h"

#include <map>

#include "framework/RootScreenServices.h"
#include "platform/Log.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera {

using platform::ui::NavigationController;
using platform::ui::ViewController;

namespace {

std::map<Destination, Navigator::Builder>& builders() {
    static std::map<Destination, Navigator::Builder> registered;
    return registered;
}

}  // namespace

void Navigator::registerBuilder(Destination destination, Builder builder) {
    builders()[destination] = std::move(builder);
}

void Navigator::clear() {
    builders().clear();
}

bool Navigator::hasBuilder(Destination destination) {
    return builders().count(destination) != 0;
}

ViewController* Navigator::build(const Route& route) {
    auto found = builders().find(route.to);
    if (found != builders().end())
        if (ViewController* screen = found->second(route)) return screen;
    platform::logLine("no screen for " + destinationTitle(route.to).toStdString());
    return nullptr;
}

ViewController* Navigator::push(ViewController* from, ViewController* target) {
    if (!target) return nullptr;
    NavigationController* nav =
        from ? from->navigationController() : RootScreenServices::rootNavigationController();
    if (!nav) {
        platform::logLine("no navigation stack to open " + target->title().toStdString());
        delete target;
        return nullptr;
    }
    nav->pushViewController(target, true);
    return target;
}

ViewController* Navigator::open(ViewController* from, const Route& route) {
    return push(from, build(route));
}

ViewController* Navigator::present(ViewController* from, const Route& route) {
    ViewController* target = build(route);
    if (!target) return nullptr;
    if (!from) {
        delete target;
        return nullptr;
    }
    from->presentModalViewController(target, true);
    return target;
}

}  // namespace tovera
