// hostsim: a stand-in for the suite's main program. It loads netprobe.dll, shows a main
// frame window and runs the module's TestUpdateServer from a button or the command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "console_text.h"
#include "hostsim_options.h"
#include "main_frame.h"
#include "module_loader.h"

namespace {

using namespace netprobe::hostsim;

std::vector<std::string> Arguments() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    if (argv) LocalFree(argv);
    return args;
}

int MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int main() {
    std::string error;
    std::optional<Options> options = ParseOptions(Arguments(), error);
    if (!options) {
        std::fprintf(stderr, "hostsim: %s\n%s", error.c_str(), Usage());
        return kExitUsage;
    }
    const std::wstring path = options->module_path.empty() ? DefaultModulePath() : Utf8ToWide(options->module_path);
    LoadedModule module(path);
    if (!module.loaded()) {
        std::fprintf(stderr, "hostsim: cannot load %s (error %lu)\n", WideToUtf8(path).c_str(),
                     static_cast<unsigned long>(module.error()));
        return kExitNoModule;
    }
    PrintLine("hostsim: loaded " + WideToUtf8(path));
    MainFrame frame(GetModuleHandleW(nullptr), module, *options);
    if (!frame.Create()) {
        std::fprintf(stderr, "hostsim: cannot create the main frame window\n");
        return kExitNoModule;
    }
    return MessageLoop();
}
