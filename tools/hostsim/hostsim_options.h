#pragma once

#include <optional>
#include <string>
#include <vector>

namespace netprobe::hostsim {

// What the command line asks of the stand-in host.
struct Options {
    bool run = false;         // --run: run TestUpdateServer once the window is up
    bool dialog = false;      // --dialog: open the module's base dialog and send it a skin change
    bool input = false;       // --input: ask a value with the module's input dialog
    bool exit = false;        // --exit: quit after that run (exit code = verdict)
    int linger_ms = 0;        // --linger MS: keep the window that long after the run before quitting
    std::string module_path;  // --dll PATH; empty: netprobe.dll beside hostsim.exe
};

// nullopt and `error` set for an unknown switch or a bad value.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

const char* Usage();

// Exit codes.
inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoModule = 3;

}  // namespace netprobe::hostsim
