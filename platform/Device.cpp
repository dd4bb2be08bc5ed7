#include "platform/Device.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#ifndef TOVERA_VERSION
#define TOVERA_VERSION "0.0.0"
#endif

namespace tovera::platform {

DeviceInfo deviceInfo() {
    DeviceInfo info;
    utsname names{};
    if (uname(&names) == 0) {
        info.name = names.nodename;
        info.model = names.machine;
        info.systemName = names.sysname;
        info.systemVersion = names.release;
    }
    // The locale identifier without encoding or modifier: "zh_CN.UTF-8" -> "zh_CN".
    std::string locale;
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* v = std::getenv(var); v && *v) {
            locale = v;
            break;
        }
    }
    locale.resize(std::min(locale.size(), locale.find_first_of(".@")));
    if (locale.empty() || locale == "C" || locale == "POSIX") locale = "zh_CN";
    info.locale = std::move(locale);
    return info;
}

AppInfo appInfo() {
    return AppInfo{"Tovera", TOVERA_VERSION, "1"};
}

}  // namespace tovera::platform
