#include "tools/hostsim/module_loader.h"

#include <vector>

namespace netprobe::hostsim {

LoadedModule::LoadedModule(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
    if (!module_) {
        error_ = GetLastError();
        return;
    }
    FARPROC proc = GetProcAddress(module_, "TestUpdateServer");
    if (!proc) {
        error_ = GetLastError();
        return;
    }
    test_ = reinterpret_cast<TestUpdateServerFn>(reinterpret_cast<void*>(proc));
}

LoadedModule::~LoadedModule() {
    if (module_) FreeLibrary(module_);
}

std::wstring DefaultModulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size()) {
        path.resize(path.size() * 2);
    }
    std::wstring exe(path.data(), length);
    return exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"netprobe.dll";
}

}  // namespace netprobe::hostsim
