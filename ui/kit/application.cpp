#include "application.h"

#include "DefaultHost.h"
#include "timer.h"

namespace netprobe::ui {

namespace {

constexpr const char* kClassName = "NetprobeApplication";

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER) {
        try {
            TTimer::Dispatch(static_cast<UINT_PTR>(wparam));
        } catch (...) {
            Application().HandleException(std::current_exception());
        }
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND TApplication::Handle() {
    if (!handle_) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = ApplicationProc;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);  // fails harmlessly when already registered
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    }
    return handle_;
}

// The same pump as the host's event processing: a quit request is left for the host's loop.
void TApplication::ProcessMessages() { platform::ProcessPendingEvents(); }

void TApplication::HandleException(std::exception_ptr error) {
    if (OnException) OnException(error);
}

TApplication::~TApplication() {
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace netprobe::ui
