#include "tests/support/installation.h"

namespace netprobe::testing {

Installation::Installation(const std::string& user_config_bytes)
    : app_dir("NETPROBE_APP_DIR", dir.path()),
      user_config("NETPROBE_USER_CONFIG", WriteUserConfig(user_config_bytes)) {}

}  // namespace netprobe::testing
