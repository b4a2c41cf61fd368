#include "tools/cli_usage.h"

#include "core/translate.h"

namespace netprobe::cli {
namespace {

struct Usage {
    std::string_view command;
    const char* text;  // English; translated where it is used
};

constexpr Usage kUsages[] = {
    {"show-config",
     TrNoop("usage: netprobe show-config [--app-dir DIR] [--json]\n"
            "\n"
            "Loads DIR/MainCommunication.ncc as the module does and prints the channel (name, time-out,\n"
            "servers) or the loader's message. Without --app-dir the installation directory is\n"
            "$NETPROBE_APP_DIR, else the folder of the program.\n"
            "Exit status: 0 loaded, 1 the loader failed, 2 usage error.\n")},
    {"test", TrNoop("usage: netprobe test [--app-dir DIR] [--user-config FILE] [-v] [--json] [--also-direct]\n"
                    "\n"
                    "Runs the update-server test that the host runs and prints the proxy settings as the\n"
                    "module reads them, the verdict and the test's message; with -v also each probe with its\n"
                    "cause, advice, peer and timings, the chosen server and the driver's message.\n"
                    "--also-direct runs the test once more without the proxy (extra requests) and prints\n"
                    "both verdicts side by side.\n"
                    "--user-config names the user configuration (proxy settings); it must exist. Without it\n"
                    "the module's default applies, and a default file that is absent means default settings.\n"
                    "Exit status: 0 passed, 1 failed, 2 usage error.\n")},
    {"encode-password", TrNoop("usage: netprobe encode-password < PASSWORD\n"
                               "\n"
                               "Prints the stored form of the password on standard input (one trailing line end is\n"
                               "dropped), for ProxyPassword in section NetWork of the user configuration.\n"
                               "Exit status: 0 printed, 1 the password is longer than 111 bytes, 2 usage error.\n")},
};

}  // namespace

const char* ToolUsage() {
    return Tr(
        "usage: netprobe <command> [options] [--lang zh|en]\n"
        "       netprobe help <command> | <command> --help\n"
        "       netprobe --version\n"
        "\n"
        "commands:\n"
        "  show-config [--app-dir DIR] [--json]\n"
        "      load MainCommunication.ncc as the module does and print the channel\n"
        "  test [--app-dir DIR] [--user-config FILE] [-v] [--json] [--also-direct]\n"
        "      run the update-server test that the host runs; exit 0 passed, 1 failed\n"
        "  encode-password < PASSWORD\n"
        "      print the stored form of the password on standard input, for ProxyPassword\n"
        "\n"
        "--lang zh|en, with any command, chooses the language of the texts (Chinese or English);\n"
        "without it the user's language applies.\n");
}

const char* CommandUsage(std::string_view command) {
    for (const Usage& usage : kUsages) {
        if (usage.command == command) return Tr(usage.text);
    }
    return nullptr;
}

}  // namespace netprobe::cli
