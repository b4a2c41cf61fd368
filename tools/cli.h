#pragma once

#include <string>
#include <vector>

// The subcommands of the netprobe command-line tool. Each returns the process exit status:
// 0 success, 1 failure, 2 usage error. Arguments and printed texts are UTF-8.
namespace netprobe::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int ShowConfig(const std::vector<std::string>& args);
int CheckCommand(const std::vector<std::string>& args);
// Reads a password on standard input and prints its stored form.
int EncodePasswordCommand(const std::vector<std::string>& args);

// Shared option handling: "--app-dir DIR" and "--user-config FILE" set the default host's
// environment before the module runs. Returns false (and prints why) on a bad option; a
// user configuration named on the command line must be an existing file.
struct CommonOptions {
    bool json = false;
    bool verbose = false;
    bool also_direct = false;  // `test` only: run once more without the proxy
};
bool ParseCommonOptions(const std::vector<std::string>& args, CommonOptions& options, bool allow_verbose,
                        bool allow_user_config);

}  // namespace netprobe::cli
