#include "core/FatalSignalHandler.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/CrashReport.h"
#include "platform/AppHome.h"

namespace tovera {

namespace {

struct HandledSignal {
    int number;
    const char* name;
};
constexpr HandledSignal kSignals[] = {
    {SIGSEGV, "SIGSEGV"}, {SIGBUS, "SIGBUS"},   {SIGILL, "SIGILL"},
    {SIGFPE, "SIGFPE"},   {SIGABRT, "SIGABRT"},
};

// Everything the handler touches is prepared before it can run.
char markerPathBuffer[PATH_MAX];
std::atomic<bool> reported{false};
alignas(16) char alternateStack[64 * 1024];

// Appends `text` to the buffer at `used` (bounded by `size`).
void append(char* buffer, std::size_t size, std::size_t& used, const char* text) {
    while (*text && used + 1 < size)
        buffer[used++] = *text++;
}

void appendNumber(char* buffer, std::size_t size, std::size_t& used, unsigned long value,
                  unsigned base) {
    char digits[32];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && count < 32);
    while (count > 0 && used + 1 < size)
        buffer[used++] = digits[--count];
}

// Async-signal-safe only: no allocation, no locks, no stdio.
void onFatalSignal(int number, siginfo_t* info, void*) {
    if (!reported.exchange(true) && markerPathBuffer[0] != '\0') {
        const char* name = "SIGNAL";
        for (const HandledSignal& s : kSignals)
            if (s.number == number) name = s.name;
        char line[128];
        std::size_t used = 0;
        append(line, sizeof line, used, name);
        append(line, sizeof line, used, " ");
        appendNumber(line, sizeof line, used, static_cast<unsigned long>(number), 10);
        append(line, sizeof line, used, " 0x");
        appendNumber(line, sizeof line, used,
                     reinterpret_cast<std::uintptr_t>(info ? info->si_addr : nullptr), 16);
        append(line, sizeof line, used, "\n");
        const int fd = ::open(markerPathBuffer, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd >= 0) {
            [[maybe_unused]] ssize_t written = ::write(fd, line, used);
            ::close(fd);
        }
    }
    // SA_RESETHAND put the default action back: the signal raised again
    // (or the faulting instruction run again) ends the process.
    ::raise(number);
}

}  // namespace

std::string FatalSignalHandler::markerPath() {
    return (std::filesystem::path(platform::homeDirectory()) / "Library" / "PendingCrashReport")
        .string();
}

void FatalSignalHandler::install() {
    const std::string path = markerPath();
    platform::makeDirectories(std::filesystem::path(path).parent_path().string());
    if (path.size() < sizeof markerPathBuffer)
        std::memcpy(markerPathBuffer, path.c_str(), path.size() + 1);
    else
        markerPathBuffer[0] = '\0';
    reported = false;

    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    for (const HandledSignal& s : kSignals)
        ::sigaction(s.number, &action, nullptr);
}

void FatalSignalHandler::remove() {
    for (const HandledSignal& s : kSignals)
        ::signal(s.number, SIG_DFL);
}

void FatalSignalHandler::markReported() {
    reported = true;
}

std::optional<std::string> FatalSignalHandler::takePendingReport() {
    const std::string path = markerPath();
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::string name, number, address;
    in >> name >> number >> address;
    in.close();
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (name.empty() || number.empty() || address.empty()) return std::nullopt;
    return crashReportText(name, "fatal signal " + number + " at address " + address,
                           callStackText({}));
}

}  // namespace tovera
