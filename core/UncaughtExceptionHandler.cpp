#include "core/UncaughtExceptionHandler.h"

#include <cxxabi.h>
#include <execinfo.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <vector>

#include "core/CrashReport.h"
#include "core/FatalSignalHandler.h"

namespace tovera {

namespace {

// Set at launch, read by the failing thread. Only the handler reads them
// after installation, so they need no lock.
CrashReportFacts& installedFacts() {
    static CrashReportFacts facts;
    return facts;
}
std::terminate_handler& handlerBefore() {
    static std::terminate_handler handler = nullptr;
    return handler;
}
std::atomic<bool> handling{false};

std::string demangled(const char* name) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(name);
}

std::vector<std::string> callStackSymbols() {
    void* frames[128];
    const int count = ::backtrace(frames, 128);
    std::vector<std::string> symbols;
    std::unique_ptr<char*, decltype(&std::free)> names(::backtrace_symbols(frames, count),
                                                       &std::free);
    if (!names) return symbols;
    for (int i = 0; i < count; ++i)
        symbols.emplace_back(names.get()[i]);
    return symbols;
}

// The name and reason of the exception being handled, if any.
std::pair<std::string, std::string> describeCurrentException() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    std::exception_ptr current = std::current_exception();
    if (!type || !current)
        return {"std::terminate", "terminate called without an active exception"};
    std::string name = demangled(type->name());
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return {name, e.what()};
    } catch (...) {
        return {name, "exception of a type that is not a std::exception"};
    }
}

}  // namespace

void UncaughtExceptionHandler() {
    // A failure while reporting would come back here: end at once then.
    if (handling.exchange(true)) std::abort();
    FatalSignalHandler::markReported();
    try {
        const auto [name, reason] = describeCurrentException();
        postCrashReport(installedFacts(),
                        crashReportText(name, reason, callStackText(callStackSymbols())));
    } catch (...) {
    }
    if (std::terminate_handler before = handlerBefore()) before();
    std::abort();
}

std::terminate_handler installUncaughtExceptionHandler(std::string version) {
    installedFacts() = CrashReportFacts::current(std::move(version));
    // The first backtrace loads the unwinder; do it now rather than while failing.
    void* frame[1];
    ::backtrace(frame, 1);
    FatalSignalHandler::install();
    std::terminate_handler before = std::set_terminate(UncaughtExceptionHandler);
    if (before != UncaughtExceptionHandler) handlerBefore() = before;
    return handlerBefore();
}

void restoreUncaughtExceptionHandler(std::terminate_handler previous) {
    std::set_terminate(previous);
    FatalSignalHandler::remove();
}

bool postPendingCrashReport() {
    std::optional<std::string> report = FatalSignalHandler::takePendingReport();
    return report && postCrashReport(installedFacts(), *report);
}

}  // namespace tovera
