#pragma once
// Tab, Shift+Tab, Enter and Escape in the kit's forms whatever loop gets them: the host's
// own loop for a form shown modelessly, the modal loop for another. A watch on the thread's
// queue hands such a key, when the control that gets it does not ask for it, to the form as
// kDialogKeyMessage; the form lets the dialog manager act on it (IsDialogMessage).
#include <windows.h>

namespace netprobe::ui {

// wparam: the virtual key; lparam: the key message's flags.
constexpr UINT kDialogKeyMessage = WM_APP + 0x2F1;

// Watches the calling thread's queue; once per thread.
void WatchDialogKeys();
// Ends every thread's watch: the module is being unloaded.
void UnwatchDialogKeys() noexcept;

}  // namespace netprobe::ui
