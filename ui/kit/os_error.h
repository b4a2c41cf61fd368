#pragma once
// The error of a Win32 call that failed, raised with the code the call left.
#include <windows.h>

#include <string>

#include "core/errors.h"

namespace netprobe::ui {

// Raises EOSError for `call` (e.g. "CreateWindowExA(EDIT)") with the thread's last error.
[[noreturn]] inline void RaiseLastOSError(const std::string& call) {
    const DWORD code = GetLastError();
    throw EOSError(call + " failed, error " + std::to_string(code), code);
}

}  // namespace netprobe::ui
