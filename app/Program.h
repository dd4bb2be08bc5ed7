// Running the program once its command line is read: the start-up apart
// from the toolkit, then Qt with the toolkit runtime and the application
// object; then either the event loop or, with --tour, the tour.
#pragma once

#include "app/CommandLine.h"

namespace tovera::app {

/// Returns the process exit code.
int runProgram(CommandLine line);

}  // namespace tovera::app
