// Registers every subsystem's destinations before any screen test runs, as
// the app does at start-up. Compiled into each screen-test program.
#include <gtest/gtest.h>

#include "app/Destinations.h"

namespace {

class RegisteredDestinations : public ::testing::Environment {
public:
    void SetUp() override { tovera::registerDestinations(); }
};

[[maybe_unused]] const ::testing::Environment* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new RegisteredDestinations);

}  // namespace
