// Fatal signals (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT). A signal handler
// may only call async-signal-safe functions, and posting a report allocates,
// locks and talks HTTP, any of which can deadlock when the signal struck
// inside malloc or while a lock was held. So the handler does only this:
// open(2), write(2) and close(2) of a small marker file in the home
// ("<home>/Library/PendingCrashReport": the signal's name, number and fault
// address, formatted by hand into a stack buffer), then it lets the signal
// take its default action again (the process ends, with a core dump where
// the system keeps them). The report is posted from the marker at the next
// start. On the main thread the handler runs on a stack of its own, so a
// stack overflow there is caught too.
#pragma once

#include <optional>
#include <string>

namespace tovera {

class FatalSignalHandler {
public:
    /// The marker's path in the current home.
    static std::string markerPath();

    /// Installs the handlers, writing markers into the current home.
    static void install();
    /// Puts back the default actions.
    static void remove();

    /// Tells the handlers that the failure was already reported (the
    /// terminate handler ends in abort(), which must not leave a marker).
    static void markReported();

    /// The "report" text of a marker left by an earlier run, removing it:
    /// "SIGSEGV,fatal signal 11 at address 0x...,()". Nothing when there is
    /// no marker; an unreadable marker is removed and yields nothing.
    static std::optional<std::string> takePendingReport();
};

}  // namespace tovera
