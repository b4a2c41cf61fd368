#include "ui/kit/application.h"

#include <string>
#include <utility>

#include "core/platform.h"
#include "ui/kit/os_error.h"
#include "ui/kit/window_class.h"

namespace netprobe::ui {

namespace {

constexpr const char* kClassName = "NetprobeApplication";

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND TApplication::Handle() {
    if (!handle_) {
        RegisterKitClass(kClassName, ApplicationProc);
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  KitInstance(), nullptr);
        if (!handle_) RaiseLastOSError(std::string("CreateWindowExA(") + kClassName + ")");
    }
    return handle_;
}

void TApplication::ReleaseHandle() {
    HWND window = std::exchange(handle_, nullptr);
    if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) DestroyWindow(window);
}

// The same pump as the host's event processing: a quit request is left for the host's loop.
void TApplication::ProcessMessages() { platform::ProcessPendingEvents(); }

void TApplication::HandleException(std::exception_ptr error) {
    if (OnException) OnException(error);
}

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace netprobe::ui
