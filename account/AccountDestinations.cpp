#include "account/AccountDestinations.h"

#include "account/Editpassword.h"
#include "account/UserLogin.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"

namespace tovera {

void registerAccountDestinations() {
    Navigator::registerBuilder(Destination::Login, [](const Route&) {
        auto* login = new UserLogin([] { RootScreenServices::shared().didSignIn(); });
        // The same skinned "返回" as every other screen, wherever it opens from.
        RootScreenServices::shared().setBackItem(login->navigationItem());
        return login;
    });
    Navigator::registerBuilder(Destination::PasswordChange,
                               [](const Route&) { return new Editpassword; });
}

}  // namespace tovera
