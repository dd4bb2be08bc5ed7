#include "account/AccountDestinations.h"

#include "account/Editpassword.h"
#include "account/MessageSet.h"
#include "account/SetList.h"
#include "account/UserLogin.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"

namespace tovera {

void registerAccountDestinations() {
    Navigator::registerBuilder(Destination::Login, [](const Route&) {
        return new UserLogin([] { RootScreenServices::shared().didSignIn(); });
    });
    Navigator::registerBuilder(Destination::PasswordChange,
                               [](const Route&) { return new Editpassword; });
    Navigator::registerBuilder(Destination::Settings,
                               [](const Route& route) { return withRoute(new SetList, route); });
    Navigator::registerBuilder(Destination::MessageSettings,
                               [](const Route& route) { return withRoute(new MessageSet, route); });
}

}  // namespace tovera
