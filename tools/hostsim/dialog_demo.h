#pragma once

#include <windows.h>

namespace netprobe::hostsim {

// Opens the module's base dialog (modeless; closing it frees it) and sends it the host's
// skin-change message, as the suite does when the user picks another skin. Returns the
// dialog's window.
HWND OpenBaseDialog();

}  // namespace netprobe::hostsim
