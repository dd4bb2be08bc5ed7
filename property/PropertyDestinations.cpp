#include "property/PropertyDestinations.h"

#include "framework/Navigator.h"
#include "property/ChooseCity.h"
#include "property/Tovera.h"
#include "property/ToveraDetail.h"

namespace tovera {

void registerPropertyDestinations() {
    // The city choice reports to the home screen, so it needs one.
    Navigator::registerBuilder(Destination::ChooseCity, [](const Route&) -> ChooseCity* {
        Tovera* home = Tovera::toveraViewController();
        return home ? new ChooseCity(home) : nullptr;
    });
    // The project screen keeps its own title whatever the opening place
    // calls it.
    Navigator::registerBuilder(Destination::Project, [](const Route& route) {
        auto* detail = new ToveraDetail;
        detail->setParam(route.param);
        return detail;
    });
}

}  // namespace tovera
