#pragma once
// What a modal loop changes on its thread, given back when the loop ends however it ends:
// the thread's other visible windows are disabled, the window that was active is noted, and
// the thread messages (no window) that the host posts meanwhile are kept for it.
#include <windows.h>

#include <vector>

namespace netprobe::ui {

class ModalSession {
public:
    explicit ModalSession(HWND dialog);
    ~ModalSession() { End(); }
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    // A message that the loop got: true when the session took it, a thread message that a
    // message filter of the host handled or that is kept to be posted again at the end. A
    // timer's message runs its procedure where it is dispatched, and is not taken.
    bool TakeThreadMessage(const MSG& msg);

    // Enables the disabled windows (while the dialog is still up, so that the activation can
    // go back to them). Runs once; the destructor calls it too.
    void EnableWindows();
    // After the dialog is hidden: the window that was active gets the activation back, and
    // the kept thread messages are posted again, in their order.
    void End();

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM param);

    HWND dialog_;
    HWND previous_active_;
    std::vector<HWND> disabled_;
    std::vector<MSG> kept_;
    bool ended_ = false;
};

}  // namespace netprobe::ui
