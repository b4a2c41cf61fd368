#include <filesystem>
#include <system_error>

#include "core/translate.h"
#include "tools/cli.h"
#include "tools/cli_env.h"
#include "tools/console/console_out.h"

namespace netprobe::cli {
namespace {

using console::PrintError;

bool IsExistingFile(const std::string& utf8_path) {
    std::error_code error;
    const std::filesystem::path path(std::u8string(utf8_path.begin(), utf8_path.end()));
    return std::filesystem::is_regular_file(path, error);
}

bool TakesValue(const std::string& arg, bool allow_user_config) {
    return arg == "--app-dir" || (allow_user_config && arg == "--user-config");
}

}  // namespace

bool ParseCommonOptions(const std::vector<std::string>& args, CommonOptions& options, bool allow_verbose,
                        bool allow_user_config) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (allow_verbose && (arg == "-v" || arg == "--verbose")) {
            options.verbose = true;
        } else if (allow_verbose && arg == "--also-direct") {
            options.also_direct = true;
        } else if (TakesValue(arg, allow_user_config) && i + 1 >= args.size()) {
            PrintError("%s\n", TrFormat("netprobe: %s needs a value", arg).c_str());
            return false;
        } else if (arg == "--app-dir") {
            SetEnvironment("NETPROBE_APP_DIR", args[++i]);
        } else if (allow_user_config && arg == "--user-config") {
            const std::string& file = args[++i];
            if (!IsExistingFile(file)) {
                PrintError("%s\n", TrFormat("netprobe: --user-config: no such file: %s", file).c_str());
                return false;
            }
            SetEnvironment("NETPROBE_USER_CONFIG", file);
        } else {
            PrintError("%s\n", TrFormat("netprobe: unexpected argument '%s'", arg).c_str());
            return false;
        }
    }
    return true;
}

}  // namespace netprobe::cli
