// Plug-in host stand-in: loads smokeplug.dll and runs its checks.
#include <windows.h>

#include <cstdio>

int main() {
    HMODULE m = LoadLibraryW(L"smokeplug.dll");
    if (!m) {
        std::printf("FAIL: LoadLibrary(smokeplug.dll) error %lu\n0 passed, 1 failed\n", GetLastError());
        return 1;
    }
    using RunFn = int (*)(int*, int*);
    auto run = reinterpret_cast<RunFn>(reinterpret_cast<void*>(GetProcAddress(m, "smoke_run")));
    if (!run) {
        std::printf("FAIL: smoke_run not exported\n0 passed, 1 failed\n");
        return 1;
    }
    int passed = 0, failed = 0;
    int rc = run(&passed, &failed);
    FreeLibrary(m);
    std::printf("%d passed, %d failed\n", passed, failed);
    return rc == 0 && failed == 0 && passed > 0 ? 0 : 1;
}
