#include "platform/ProcessEnd.h"

#include <cstdlib>
#include <mutex>
#include <vector>

namespace tovera::platform {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<void (*)()> functions;
    bool hookedToExit = false;
};

// Never destroyed: exit() may call finishProcess() after static objects went.
Registry& registry() {
    static auto* functions = new Registry;
    return *functions;
}

}  // namespace

void atProcessEnd(void (*finish)()) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    all.functions.push_back(finish);
    if (all.hookedToExit) return;
    all.hookedToExit = true;
    std::atexit(finishProcess);
}

void finishProcess() {
    Registry& all = registry();
    std::vector<void (*)()> functions;
    {
        std::lock_guard lock(all.mutex);
        functions.swap(all.functions);
    }
    for (auto finish = functions.rbegin(); finish != functions.rend(); ++finish)
        (*finish)();
}

}  // namespace tovera::platform
