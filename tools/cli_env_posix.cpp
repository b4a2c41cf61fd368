#include <cstdlib>

#include "tools/cli_env.h"

namespace netprobe::cli {

void SetEnvironment(const char* name, const std::string& utf8_value) { setenv(name, utf8_value.c_str(), 1); }

}  // namespace netprobe::cli
