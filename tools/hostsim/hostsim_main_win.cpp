// hostsim: a stand-in for the suite's main program. It loads netprobe.dll, shows a main
// frame window and runs the module's TestUpdateServer from a button or the command line.
#include <windows.h>

#include <string>

#include "tools/console/command_line.h"
#include "tools/console/console_out.h"
#include "tools/hostsim/console_text.h"
#include "tools/hostsim/hostsim_options.h"
#include "tools/hostsim/main_frame.h"
#include "tools/hostsim/module_loader.h"

namespace {

using namespace netprobe::hostsim;
using netprobe::Utf8ToWide;
using netprobe::WideToUtf8;
using netprobe::console::PrintError;

int MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<Options> options = ParseOptions(netprobe::console::CommandLineArguments(argc, argv), error);
    if (!options) {
        PrintError("hostsim: %s\n%s", error.c_str(), Usage());
        return kExitUsage;
    }
    const std::wstring path = options->module_path.empty() ? DefaultModulePath() : Utf8ToWide(options->module_path);
    LoadedModule module(path);
    if (!module.loaded()) {
        PrintError("hostsim: cannot load %s (error %lu)\n", WideToUtf8(path).c_str(),
                   static_cast<unsigned long>(module.error()));
        return kExitNoModule;
    }
    PrintLine("hostsim: loaded " + WideToUtf8(path));
    MainFrame frame(GetModuleHandleW(nullptr), module, *options);
    if (!frame.Create()) {
        PrintError("hostsim: cannot create the main frame window\n");
        return kExitNoModule;
    }
    return MessageLoop();
}
