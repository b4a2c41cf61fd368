#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "core/wide_text.h"
#include "tools/console/command_line.h"

namespace netprobe::console {
namespace {

// The array CommandLineToArgvW allocates, freed with it.
class WideArguments {
public:
    WideArguments() : argv_(CommandLineToArgvW(GetCommandLineW(), &argc_)) {}
    ~WideArguments() {
        if (argv_) LocalFree(argv_);
    }
    WideArguments(const WideArguments&) = delete;
    WideArguments& operator=(const WideArguments&) = delete;
    int count() const { return argv_ ? argc_ : 0; }
    const wchar_t* at(int i) const { return argv_[i]; }

private:
    int argc_ = 0;
    LPWSTR* argv_;
};

}  // namespace

// The narrow argv (system code page) is not used: it has lost what that code page lacks.
std::vector<std::string> CommandLineArguments(int, char**) {
    WideArguments wide;
    std::vector<std::string> args;
    for (int i = 1; i < wide.count(); ++i) args.push_back(WideToUtf8(wide.at(i)));
    return args;
}

}  // namespace netprobe::console
