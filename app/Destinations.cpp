#include "app/Destinations.h"

#include "account/AccountDestinations.h"
#include "ask/AskDestinations.h"
#include "community/ActivityTopicDestinations.h"
#include "community/CommunityDestinations.h"
#include "framework/FrameworkDestinations.h"
#include "news/NewsDestinations.h"
#include "property/PropertyDestinations.h"

namespace tovera {

void registerDestinations() {
    registerFrameworkDestinations();
    registerNewsDestinations();
    registerPropertyDestinations();
    registerAskDestinations();
    registerActivityTopicDestinations();
    registerAccountDestinations();
    registerCommunityDestinations();
}

}  // namespace tovera
