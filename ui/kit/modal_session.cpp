#include "ui/kit/modal_session.h"

#include <utility>

namespace netprobe::ui {

ModalSession::ModalSession(HWND dialog) : dialog_(dialog), previous_active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK ModalSession::DisableOne(HWND window, LPARAM param) {
    auto* self = reinterpret_cast<ModalSession*>(param);
    if (window != self->dialog_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
        self->disabled_.push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

// The host's hooks see the message first, as in a dialog box's loop of the system.
bool ModalSession::TakeThreadMessage(const MSG& msg) {
    if (msg.hwnd != nullptr) return false;
    MSG filtered = msg;
    if (CallMsgFilterA(&filtered, MSGF_DIALOGBOX)) return true;
    if (msg.message == WM_TIMER && msg.lParam != 0) return false;
    kept_.push_back(msg);
    return true;
}

void ModalSession::EnableWindows() {
    for (HWND window : std::exchange(disabled_, {}))
        if (IsWindow(window)) EnableWindow(window, TRUE);
}

void ModalSession::End() {
    if (std::exchange(ended_, true)) return;
    EnableWindows();
    HWND previous = previous_active_;
    if (previous && previous != dialog_ && IsWindow(previous) && IsWindowVisible(previous) &&
        IsWindowEnabled(previous) && GetActiveWindow() != previous)
        SetActiveWindow(previous);
    const DWORD thread = GetCurrentThreadId();
    for (const MSG& msg : std::exchange(kept_, {})) PostThreadMessageA(thread, msg.message, msg.wParam, msg.lParam);
}

}  // namespace netprobe::ui
