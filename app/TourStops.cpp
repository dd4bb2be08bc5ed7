// The stops of the tour, one per screen, in walking order. A new screen adds
// an entry that brings it up from wherever the previous stop left the app.
#include "account/UserLogin.h"
#include "account/UserRegister.h"
#include "app/SplashViewController.h"
#include "app/Tour.h"
#include "app/toveraAppDelegate.h"
#include "framework/ImageLoader.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/View.h"
#include "property/ChooseCity.h"
#include "property/HomeCell.h"
#include "property/MenuIcons.h"
#include "property/Tovera.h"

namespace tovera::app {

namespace {

// The home screen, back on top with nothing presented over it.
Tovera* homeOnTop(Tour& tour) {
    tour.app().splash()->hidde();
    auto* navigation = tour.app().navigationController();
    if (navigation->modalViewController())
        navigation->modalViewController()->dismissModalViewControllerAnimated(false);
    navigation->popToRootViewControllerAnimated(false);
    auto* home = qobject_cast<Tovera*>(navigation->viewControllers().value(0));
    if (!home || !tour.waitFor([navigation] { return !navigation->modalViewController(); }))
        return nullptr;
    return home;
}

// The menu page of tab `index`.
TourStop menuStop(std::string name, int index) {
    return {std::move(name), [index](Tour& tour) {
                Tovera* home = homeOnTop(tour);
                if (!home) return false;
                home->tabBar()->chooseItem(index);
                return tour.waitFor([home, index] {
                    return home->menu() && home->menu()->type() == index &&
                           home->menu()->view()->isVisible();
                });
            }};
}

}  // namespace

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
        {"home",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             home->tabBar()->chooseItem(0);
             if (!tour.waitFor([home] {
                     return !home->dataArray().empty() && home->tableView()->isVisible();
                 }))
                 return false;
             // The first row's picture, when it comes soon.
             const QImage placeholder = ImageLoader::noPicture().toImage();
             tour.waitFor(
                 [home, placeholder] {
                     auto* cell =
                         qobject_cast<HomeCell*>(home->tableView()->cellForRowAtIndexPath({0, 0}));
                     return cell && cell->iconView()->image().toImage() != placeholder;
                 },
                 std::chrono::seconds(5));
             return true;
         }},
        menuStop("menu-property", 1),
        menuStop("menu-community", 2),
        menuStop("menu-followed", 3),
        menuStop("menu-account", 4),
        {"city-choice",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             home->chooseCity();
             return tour.waitFor([home] {
                 auto* choose = qobject_cast<ChooseCity*>(home->modalViewController());
                 return choose && !choose->dataArray().empty() &&
                        choose->locality() != QString::fromUtf8(ChooseCity::kUnknown);
             });
         }},
        {"user-login",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* login = new UserLogin(home->DStovera());
             tour.app().navigationController()->pushViewController(login, false);
             return tour.waitFor([login] { return login->view()->isVisible(); });
         }},
        {"user-register",
         [](Tour& tour) {
             Tovera* home = homeOnTop(tour);
             if (!home) return false;
             auto* form = new UserRegister(home->DStovera());
             tour.app().navigationController()->pushViewController(form, false);
             return tour.waitFor([form] { return form->view()->isVisible(); });
         }},
    };
    return stops;
}

}  // namespace tovera::app
