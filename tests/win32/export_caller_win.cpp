// export_caller: calls netprobe.dll the way the suite's main program does, and nothing more.
// LoadLibrary by the bare name (the program's folder comes first in the search order),
// GetProcAddress by the undecorated name, one call with no arguments; the one-byte answer is
// printed and becomes the exit status.
//   exit 0: TestUpdateServer returned 1   exit 1: it returned 0
//   exit 3: netprobe.dll did not load     exit 4: no export named TestUpdateServer
#include <windows.h>

#include <cstdio>

namespace {

using TestUpdateServerFn = bool(__stdcall*)();

}  // namespace

int main() {
    HMODULE module = LoadLibraryA("netprobe.dll");
    if (!module) {
        std::printf("export_caller: LoadLibrary(netprobe.dll) failed, error %lu\n", GetLastError());
        return 3;
    }
    auto test =
        reinterpret_cast<TestUpdateServerFn>(reinterpret_cast<void*>(GetProcAddress(module, "TestUpdateServer")));
    if (!test) {
        std::printf("export_caller: no export TestUpdateServer, error %lu\n", GetLastError());
        FreeLibrary(module);
        return 4;
    }
    const bool passed = test();
    std::printf("export_caller: TestUpdateServer returned %d\n", passed ? 1 : 0);
    FreeLibrary(module);
    return passed ? 0 : 1;
}
