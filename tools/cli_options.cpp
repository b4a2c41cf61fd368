#include <cstdio>
#include <cstdlib>

#include "cli.h"

namespace netprobe::cli {
namespace {

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

}  // namespace

bool ParseCommonOptions(const std::vector<std::string>& args, CommonOptions& options,
                        bool allow_verbose, bool allow_user_config) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool has_value = i + 1 < args.size();
        if (arg == "--json") {
            options.json = true;
        } else if (allow_verbose && (arg == "-v" || arg == "--verbose")) {
            options.verbose = true;
        } else if (arg == "--app-dir" && has_value) {
            SetEnv("NETPROBE_APP_DIR", args[++i]);
        } else if (allow_user_config && arg == "--user-config" && has_value) {
            SetEnv("NETPROBE_USER_CONFIG", args[++i]);
        } else {
            std::fprintf(stderr, "netprobe: unexpected argument '%s'\n", arg.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace netprobe::cli
