// The destinations the news screens serve.
#pragma once

namespace tovera {

/// Registers the builders of the news home, articles, the personal feed,
/// the site-wide comments, favourites, the error report and the friend
/// picker.
void registerNewsDestinations();

}  // namespace tovera
