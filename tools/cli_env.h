#pragma once

#include <string>

namespace netprobe::cli {

// Sets an environment variable of this process for the module's default host to read. The
// value is UTF-8; on Windows it is set as UTF-16 (SetEnvironmentVariableW), and the host
// reads it back as such.
void SetEnvironment(const char* name, const std::string& utf8_value);

}  // namespace netprobe::cli
