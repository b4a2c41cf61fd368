#include "ui/kit/dialog_keys.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "ui/kit/window_class.h"

namespace netprobe::ui {

namespace {

struct Watch {
    DWORD thread;
    HHOOK hook;
};

std::mutex& WatchLock() {
    static std::mutex lock;
    return lock;
}

std::vector<Watch>& Watches() {
    static std::vector<Watch> watches;
    return watches;
}

bool IsDialogKey(WPARAM key) { return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE; }

// A top-level window of the kit's own class: one of its forms.
bool IsKitForm(HWND window) {
    char name[32] = {};
    return window && reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)) == KitInstance() &&
           GetClassNameA(window, name, sizeof name) && lstrcmpA(name, kKitClassName) == 0;
}

void Redirect(MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd || !IsDialogKey(msg.wParam)) return;
    HWND form = GetAncestor(msg.hwnd, GA_ROOT);
    if (!IsKitForm(form)) return;
    const LRESULT wants = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if ((wants & DLGC_WANTMESSAGE) || (msg.wParam == VK_TAB && (wants & DLGC_WANTTAB))) return;
    msg.hwnd = form;
    msg.message = kDialogKeyMessage;
}

LRESULT CALLBACK WatchQueue(int code, WPARAM removal, LPARAM param) {
    if (code == HC_ACTION && removal == PM_REMOVE) Redirect(*reinterpret_cast<MSG*>(param));
    return CallNextHookEx(nullptr, code, removal, param);
}

}  // namespace

void WatchDialogKeys() {
    const DWORD thread = GetCurrentThreadId();
    std::lock_guard<std::mutex> hold(WatchLock());
    auto& watches = Watches();
    if (std::any_of(watches.begin(), watches.end(), [thread](const Watch& w) { return w.thread == thread; })) return;
    if (HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchQueue, nullptr, thread)) watches.push_back({thread, hook});
}

void UnwatchDialogKeys() noexcept {
    std::lock_guard<std::mutex> hold(WatchLock());
    for (const Watch& watch : std::exchange(Watches(), {})) UnhookWindowsHookEx(watch.hook);
}

}  // namespace netprobe::ui
