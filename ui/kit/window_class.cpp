#include "ui/kit/window_class.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ui/kit/os_error.h"

// The image base of the module this code is linked into, from the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace netprobe::ui {

namespace {

std::vector<const char*>& Registered() {
    static std::vector<const char*> names;
    return names;
}

bool IsRegistered(const char* name) {
    const auto& names = Registered();
    return std::any_of(names.begin(), names.end(), [name](const char* n) { return std::strcmp(n, name) == 0; });
}

}  // namespace

HINSTANCE KitInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void RegisterKitClass(const char* name, WNDPROC proc, UINT style) {
    if (IsRegistered(name)) return;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = KitInstance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    Registered().reserve(Registered().size() + 1);
    // A class already there was left by an earlier load at the same address (unloaded while
    // it still had windows): its procedure may point into another image.
    if (!RegisterClassA(&wc) &&
        (GetLastError() != ERROR_CLASS_ALREADY_EXISTS || !UnregisterClassA(name, wc.hInstance) || !RegisterClassA(&wc)))
        RaiseLastOSError(std::string("RegisterClassA(") + name + ")");
    Registered().push_back(name);
}

bool KitClassesRegistered() { return !Registered().empty(); }

void UnregisterKitClasses() {
    auto& names = Registered();
    const auto gone = [](const char* name) { return UnregisterClassA(name, KitInstance()) != 0; };
    names.erase(std::remove_if(names.begin(), names.end(), gone), names.end());
}

}  // namespace netprobe::ui
