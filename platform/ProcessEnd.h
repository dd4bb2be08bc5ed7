// Work to finish before the process ends, while the application and the
// libraries it uses are all still there: background threads to join, for
// one. The toolkit's runtime runs it when it goes; exit() runs it otherwise.
#pragma once

namespace tovera::platform {

/// Registers `finish` to run once when the process ends (thread-safe).
void atProcessEnd(void (*finish)());

/// Runs every registered function, latest first, each once; the runtime
/// calls it when it goes, exit() when nothing did before.
void finishProcess();

}  // namespace tovera::platform
