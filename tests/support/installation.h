#pragma once

#include <string>

#include "tests/support/channel_file.h"
#include "tests/support/env_var.h"
#include "tests/support/temp_dir.h"

namespace netprobe::testing {

// An installation as the default host finds it outside a host: a temporary folder that
// NETPROBE_APP_DIR names, and the user configuration UserConfig.ini in it that
// NETPROBE_USER_CONFIG names. Both variables are put back as they were when it ends.
struct Installation {
    explicit Installation(const std::string& user_config_bytes);

    // Writes the folder's channel file / UserConfig.ini and returns its path.
    std::string Write(const ChannelFile& channel) const { return channel.WriteInto(dir.path()); }
    std::string WriteUserConfig(const std::string& bytes) const { return dir.Write("UserConfig.ini", bytes); }

    TempDir dir;
    ScopedEnv app_dir;
    ScopedEnv user_config;
};

}  // namespace netprobe::testing
