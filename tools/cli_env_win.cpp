#include <windows.h>

#include <cstring>

#include "core/wide_text.h"
#include "tools/cli_env.h"

namespace netprobe::cli {

void SetEnvironment(const char* name, const std::string& utf8_value) {
    const std::wstring wide_name(name, name + std::strlen(name));
    SetEnvironmentVariableW(wide_name.c_str(), Utf8ToWide(utf8_value).c_str());
}

}  // namespace netprobe::cli
