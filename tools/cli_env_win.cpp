#include <windows.h>

#include <cstring>

#include "tools/cli_env.h"
#include "tools/console/utf16.h"

namespace netprobe::cli {

void SetEnvironment(const char* name, const std::string& utf8_value) {
    const std::wstring wide_name(name, name + std::strlen(name));
    SetEnvironmentVariableW(wide_name.c_str(), console::Utf8ToWide(utf8_value).c_str());
}

}  // namespace netprobe::cli
