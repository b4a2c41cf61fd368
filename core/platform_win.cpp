#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/platform.h"

namespace netprobe::platform {

// Read as UTF-16 and handed on in the ANSI code page, which the module's file functions take:
// the ANSI query's size is not reliable for double-byte values.
std::string GetEnv(const char* name) {
    std::wstring wide_name(name, name + std::strlen(name));
    DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), size);
    if (length == 0 || length >= size) return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, value.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, value.data(), static_cast<int>(length), out.data(), bytes, nullptr, nullptr);
    return out;
}

// The folder of the DLL (or EXE) that this code is linked into, not of the host process.
std::string ModuleDirectory() {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&ModuleDirectory), &module)) return ".\\";
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".\\";
        if (length < path.size()) {
            std::string file(path.data(), length);
            auto slash = file.find_last_of("\\/");
            return slash == std::string::npos ? ".\\" : file.substr(0, slash + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::string PerUserConfigPath() {
    constexpr char kFile[] = "\\netprobe\\UserConfig.ini";
    std::string app_data = GetEnv("APPDATA");
    if (app_data.empty()) return std::string(".") + kFile;
    return app_data + kFile;
}

// Dispatches the window messages queued for the calling thread. A quit request is put back
// for the host's own message loop to see.
void ProcessPendingEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace netprobe::platform
