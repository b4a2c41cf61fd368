#include "tools/hostsim/hostsim_options.h"

#include <charconv>

namespace netprobe::hostsim {
namespace {

bool ParseMilliseconds(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "--run") {
            options.run = true;
        } else if (arg == "--dialog") {
            options.dialog = true;
        } else if (arg == "--input") {
            options.input = true;
        } else if (arg == "--exit") {
            options.exit = true;
        } else if (arg == "--dll" && has_value) {
            options.module_path = args[++i];
        } else if (arg == "--linger" && has_value) {
            if (!ParseMilliseconds(args[++i], options.linger_ms)) {
                error = "--linger takes a number of milliseconds";
                return std::nullopt;
            }
        } else {
            error = "unknown or incomplete option '" + arg + "'";
            return std::nullopt;
        }
    }
    if (options.exit && !options.run) {
        error = "--exit needs --run";
        return std::nullopt;
    }
    return options;
}

const char* Usage() {
    return "usage: hostsim [--run [--exit] [--linger MS]] [--dialog] [--input] [--dll PATH]\n"
           "  --run        run TestUpdateServer once the window is shown\n"
           "  --exit       quit after the run; exit code 0 passed, 1 failed\n"
           "  --linger MS  with --exit: keep the window MS milliseconds before quitting\n"
           "  --dialog     open the base dialog and send it the skin-change message (1303)\n"
           "  --input      ask a value with the module's input dialog (ShowInputDialog)\n"
           "  --dll PATH   the module to load (default: netprobe.dll beside hostsim.exe)\n";
}

}  // namespace netprobe::hostsim
