#pragma once
// What assistive tools (screen readers, magnifiers) learn of the kit's controls. A control
// answers WM_GETOBJECT for its client area with the system's standard object for its window
// (CreateStdAccessibleObject, oleacc.dll), told what the system cannot know: our flat button is
// a window of our own class, which the system reads as a plain client area, so it says that it
// is a push button named by its caption that a press clicks; a system edit is named after a
// label beside it only when that label is a static control of the system's class, which ours
// is not, so the edit says its label's text.
#include <windows.h>

#include <string>

namespace netprobe::ui {

struct AccessibleFace {
    std::string name;    // in the system code page; empty: the system's name
    long role = 0;       // a ROLE_SYSTEM_* value; 0: the system's role
    bool press = false;  // the default action is a press (BM_CLICK)
};

// The answer to WM_GETOBJECT (wparam, lparam) for `window` with that face; 0 when the request
// is not for the client object or no object can be made (no COM on the thread, say), so that
// the default processing answers.
LRESULT AnswerGetObject(HWND window, const AccessibleFace& face, WPARAM wparam, LPARAM lparam);

}  // namespace netprobe::ui
