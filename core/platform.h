#pragma once
// What the module needs of the operating system outside the host: where its binary lies, the
// per-user configuration file, the environment, and the host's event processing when no host
// is there (platform_posix.cpp / platform_win.cpp).
#include <string>

namespace netprobe::platform {

std::string ModuleDirectory();         // folder of the binary holding this code, with separator
std::string PerUserConfigPath();       // the per-user UserConfig.ini
std::string GetEnv(const char* name);  // empty when unset
void ProcessPendingEvents();           // handles the pending window events of this thread

}  // namespace netprobe::platform
