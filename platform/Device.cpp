#include "platform/Device.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>

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
    locale = locale.substr(0, locale.find_first_of(".@"));
    info.locale = locale.empty() || locale == "C" || locale == "POSIX" ? "zh_CN" : locale;
    return info;
}

AppInfo appInfo() {
    AppInfo info;
    info.shortVersion = TOVERA_VERSION;
    info.buildVersion = "1";
    return info;
}

}  // namespace tovera::platform
