// Registers the screens of the activities and topics with the navigator.
#pragma once

namespace tovera {

void registerActivityTopicDestinations();

}  // namespace tovera
