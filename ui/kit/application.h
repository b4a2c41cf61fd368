#pragma once
// The dialog kit's application object: a hidden window that stands for the module's
// windows (the sender of copied data) and the owner of message-based timers, and the place where an
// error that reaches a window procedure ends.
#include <windows.h>

#include <exception>
#include <functional>

namespace netprobe::ui {

class TApplication {
public:
    // The window, created on first use on the calling (user-interface) thread; raises
    // EOSError when it cannot be created.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Lets go of the window when the module unloads (ReleaseKit): destroyed when it is the
    // calling thread's; one of another thread is left to the rest of the release.
    void ReleaseHandle();

    // Handles the pending messages of this thread once; a WM_QUIT is put back.
    void ProcessMessages();

    // Called with the error that a handler raised while a window procedure ran; the default
    // drops it (the message has been handled as far as it got).
    std::function<void(std::exception_ptr)> OnException;
    void HandleException(std::exception_ptr error);

private:
    HWND handle_ = nullptr;
};

// The one application object. It never destroys its window itself: in a DLL, static objects
// also go at process exit, when no window should be touched any more.
TApplication& Application();

}  // namespace netprobe::ui
