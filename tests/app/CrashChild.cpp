// A process that dies the way the application can die, with the crash
// reporter installed:  tovera_crash_child MODE HOME SERVICE
//   throw  an uncaught exception (the report is posted before the end)
//   segv   a write to a protected page (a marker is left for the next start;
//          the page's address is printed first)
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "core/ServiceSettings.h"
#include "core/UncaughtExceptionHandler.h"
#include "platform/AppHome.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string mode = argv[1];
    tovera::platform::setHomeDirectory(argv[2]);
    tovera::serviceSettings().serviceHost = argv[3];
    tovera::installUncaughtExceptionHandler("9.9.9");
    if (mode == "throw") throw std::runtime_error("boom from the child");
    if (mode == "segv") {
        void* page = ::mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        std::printf("%p\n", page);
        std::fflush(stdout);
        *static_cast<volatile char*>(page) = 1;
    }
    return 3;
}
