#pragma once

#include <windows.h>

#include <string>

namespace netprobe::hostsim {

// netprobe.dll loaded as the suite loads its modules: LoadLibrary, then the exported
// function looked up by its plain name. Freed with the object.
class LoadedModule {
public:
    using TestUpdateServerFn = bool(__stdcall*)();

    explicit LoadedModule(const std::wstring& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const { return module_ != nullptr && test_ != nullptr; }
    DWORD error() const { return error_; }
    bool TestUpdateServer() const { return test_(); }

private:
    HMODULE module_ = nullptr;
    TestUpdateServerFn test_ = nullptr;
    DWORD error_ = 0;
};

// netprobe.dll in the folder of hostsim.exe.
std::wstring DefaultModulePath();

}  // namespace netprobe::hostsim
