#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "core/platform.h"

namespace netprobe::platform {

std::string GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ModuleDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleDirectory), &info) == 0 || !info.dli_fname) return "./";
    std::string path = info.dli_fname;
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string PerUserConfigPath() {
    std::string base = GetEnv("XDG_CONFIG_HOME");
    if (base.empty()) {
        std::string home = GetEnv("HOME");
        base = (home.empty() ? std::string(".") : home) + "/.config";
    }
    return base + "/netprobe/UserConfig.ini";
}

// No window system here: the host's event processing is a no-op unless a host supplies one.
void ProcessPendingEvents() {}

}  // namespace netprobe::platform
