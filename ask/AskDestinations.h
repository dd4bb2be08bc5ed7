// Registers the screens of the questions with the navigator.
#pragma once

namespace tovera {

void registerAskDestinations();

}  // namespace tovera
