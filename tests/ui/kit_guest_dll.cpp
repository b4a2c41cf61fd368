// A guest DLL as a host loads one: the dialogs and the kit with the kit's entry point. The
// guest tests show the wait window through it, free it and load it again.
#include <windows.h>

#include "ui/f_Status.h"
#include "ui/kit/application.h"

using netprobe::ui::Application;

// Shows the wait window; its window, or null when that failed.
extern "C" __declspec(dllexport) HWND ShowWait(const char* text) {
    try {
        netprobe::ui::ShowStatus(text);
        return netprobe::ui::StatusWindow()->Handle();
    } catch (...) {
        return nullptr;
    }
}

extern "C" __declspec(dllexport) void HideWait() {
    try {
        netprobe::ui::HideStatus();
    } catch (...) {
    }
}

// The kit's hidden application window (the wait window's timers run on it).
extern "C" __declspec(dllexport) HWND ApplicationWindow() {
    try {
        return Application().Handle();
    } catch (...) {
        return nullptr;
    }
}
