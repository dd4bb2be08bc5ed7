// A list screen whose rows the user ticks and then saves as one choice (the
// news subscriptions), so that a screen hosting it can save it, and wait for
// the outcome, without knowing what kind of list it is.
#pragma once

#include <functional>

namespace tovera {

class SavableChoices {
public:
    virtual ~SavableChoices() = default;

    /// Sends the choice; `done` hears true once the service kept it, false
    /// when it refused or could not be reached (the list has shown why).
    virtual void saveChoices(std::function<void(bool saved)> done) = 0;
};

}  // namespace tovera
