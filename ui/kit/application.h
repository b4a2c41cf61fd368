#pragma once
// The dialog kit's application object: a hidden window that stands for the module's
// windows (the sender of copied data), routes message-based timers, and the place where an
// error that reaches a window procedure ends.
#include <windows.h>

#include <exception>
#include <functional>

namespace netprobe::ui {

class TApplication {
public:
    // The window, created on first use on the calling (user-interface) thread.
    HWND Handle();

    // Handles the pending messages of this thread once; a WM_QUIT is put back.
    void ProcessMessages();

    // Called with the error that a handler raised while a window procedure ran; the default
    // drops it (the message has been handled as far as it got).
    std::function<void(std::exception_ptr)> OnException;
    void HandleException(std::exception_ptr error);

    ~TApplication();

private:
    HWND handle_ = nullptr;
};

TApplication& Application();

}  // namespace netprobe::ui
