// netprobe: runs the module's jobs from the command line, as the host would.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/translate.h"
#include "netprobe_version.h"
#include "tools/cli.h"
#include "tools/cli_usage.h"
#include "tools/console/command_line.h"
#include "tools/console/console_out.h"
#include "tools/report_window/double_click.h"

namespace {

using namespace netprobe::cli;
using netprobe::console::Print;
using netprobe::console::PrintError;

bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

// "netprobe help [COMMAND]"
int Help(const std::vector<std::string>& args) {
    if (args.empty()) {
        Print("%s", ToolUsage());
        return kExitOk;
    }
    const char* usage = args.size() == 1 ? CommandUsage(args.front()) : nullptr;
    if (!usage) {
        PrintError("%s\n",
                   netprobe::Tr("netprobe: help takes one command name, one of show-config, test, encode-password"));
        return kExitUsage;
    }
    Print("%s", usage);
    return kExitOk;
}

// "--lang zh|en" anywhere on the line chooses the language of every text that follows; it is
// taken out before the command is read. False (and why) for a missing or unknown language.
bool TakeLanguageOption(std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--lang") continue;
        const std::optional<netprobe::Language> language =
            i + 1 < args.size() ? netprobe::ParseLanguage(args[i + 1]) : std::nullopt;
        if (!language) {
            PrintError("%s", netprobe::Tr("netprobe: --lang takes zh or en\n"));
            return false;
        }
        netprobe::ChooseLanguage(*language);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

int RunCommand(const std::string& command, const std::vector<std::string>& args) {
    if (command == "show-config") return ShowConfig(args);
    if (command == "test") return CheckCommand(args);
    return EncodePasswordCommand(args);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = netprobe::console::CommandLineArguments(argc, argv);
    if (!TakeLanguageOption(args)) return kExitUsage;
    if (args.empty()) {
        // Double-clicked: a usage text would vanish with the console before anyone read it.
        if (netprobe::cli::OwnsItsConsole()) return netprobe::cli::RunCheckInWindow();
        PrintError("%s", ToolUsage());
        return kExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--version") {
        Print("netprobe %s\n", NETPROBE_VERSION);
        return kExitOk;
    }
    if (command == "help" || command == "--help" || command == "-h") return Help(args);
    const char* usage = CommandUsage(command);
    if (!usage) {
        PrintError("%s\n%s", netprobe::TrFormat("netprobe: unknown command '%s'", command).c_str(), ToolUsage());
        return kExitUsage;
    }
    if (AsksForHelp(args)) {
        Print("%s", usage);
        return kExitOk;
    }
    return RunCommand(command, args);
}
