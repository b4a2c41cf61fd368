#include "ui/kit/kit_release.h"

#include <windows.h>

#include <vector>

#include "ui/kit/application.h"
#include "ui/kit/dialog_keys.h"
#include "ui/kit/window_class.h"

namespace netprobe::ui {

namespace {

std::vector<void (*)()>& Steps() {
    static std::vector<void (*)()> steps;
    return steps;
}

BOOL CALLBACK LeaveToSystem(HWND window, LPARAM) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    return TRUE;
}

// A top-level window of a class of the kit, in this process: destroyed if it is this
// thread's; else it and its children no longer call into the module, and it closes itself.
BOOL CALLBACK ReleaseWindow(HWND window, LPARAM) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    const auto instance = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE));
    if (process != GetCurrentProcessId() || instance != KitInstance()) return TRUE;
    if (thread == GetCurrentThreadId()) {
        DestroyWindow(window);
        return TRUE;
    }
    EnumChildWindows(window, LeaveToSystem, 0);
    LeaveToSystem(window, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

void AtKitRelease(void (*step)()) { Steps().push_back(step); }

// Runs under the loader lock: a module whose kit never made a window calls nothing at all.
void ReleaseKit() noexcept {
    if (!KitClassesRegistered()) return;
    const auto& steps = Steps();
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) (*step)();
    UnwatchDialogKeys();
    Application().ReleaseHandle();
    EnumWindows(ReleaseWindow, 0);
    UnregisterKitClasses();
}

}  // namespace netprobe::ui
