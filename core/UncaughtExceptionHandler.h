// The last-chance handler: when an uncaught exception ends the process, it
// posts a crash report from the failing thread and then lets the process end.
// Installed at launch together with the fatal-signal handlers; the handler
// that was in place before is handed back so the application can put it back
// at termination.
#pragma once

#include <exception>
#include <string>

namespace tovera {

/// The terminate handler: builds the report from the exception being handled
/// (its type, its message, the call stack), posts it synchronously, then
/// hands over to the handler installed before it (which prints the exception
/// and aborts), or aborts.
[[noreturn]] void UncaughtExceptionHandler();

/// Gathers the report facts (with `version`, the configuration's application
/// version), installs UncaughtExceptionHandler and the fatal-signal handlers,
/// and returns the terminate handler in place before.
std::terminate_handler installUncaughtExceptionHandler(std::string version);

/// Puts back `previous` as the terminate handler and the default actions of
/// the fatal signals.
void restoreUncaughtExceptionHandler(std::terminate_handler previous);

/// Posts the report a fatal signal left behind in an earlier run, if there
/// is one, with the facts gathered at installation, and removes it (a failed
/// post is not retried). Blocks; run it off the main thread. Returns whether
/// a report was posted.
bool postPendingCrashReport();

}  // namespace tovera
