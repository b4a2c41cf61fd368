// netprobe: runs the module's jobs from the command line, as the host would.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs(
        "usage: netprobe <command> [options]\n"
        "\n"
        "commands:\n"
        "  show-config [--app-dir DIR] [--json]\n"
        "      load MainCommunication.ncc as the module does and print the channel\n"
        "  test [--app-dir DIR] [--user-config FILE] [-v] [--json]\n"
        "      run the update-server test that the host runs; exit 0 passed, 1 failed\n"
        "  encode-password < PASSWORD\n"
        "      print the stored form of the password on standard input, for ProxyPassword\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return netprobe::cli::kExitUsage;
    }
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "show-config") return netprobe::cli::ShowConfig(args);
    if (command == "test") return netprobe::cli::RunTest(args);
    if (command == "encode-password") return netprobe::cli::EncodePasswordCommand(args);
    if (command == "-h" || command == "--help" || command == "help") {
        PrintUsage(stdout);
        return netprobe::cli::kExitOk;
    }
    std::fprintf(stderr, "netprobe: unknown command '%s'\n", command.c_str());
    PrintUsage(stderr);
    return netprobe::cli::kExitUsage;
}
