// The stops of the tour, one per screen, in walking order. A new screen adds
// an entry that brings it up from wherever the previous stop left the app.
#include "app/SplashViewController.h"
#include "app/Tour.h"
#include "app/toveraAppDelegate.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"

namespace tovera::app {

const std::vector<TourStop>& tourStops() {
    static const std::vector<TourStop> stops = {
        {"splash",
         [](Tour& tour) {
             SplashViewController* splash = tour.app().splash();
             splash->show();
             return !splash->view()->isHidden();
         }},
        {"root",
         [](Tour& tour) {
             tour.app().splash()->hidde();
             auto* navigation = tour.app().navigationController();
             navigation->popToRootViewControllerAnimated(false);
             return tour.waitFor([navigation] {
                 return navigation->topViewController() == navigation->viewControllers().first();
             });
         }},
    };
    return stops;
}

}  // namespace tovera::app
