#include "account/AccountDestinations.h"

#include "account/Editpassword.h"
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
}

}  // namespace tovera
