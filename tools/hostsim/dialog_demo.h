#pragma once

#include <windows.h>

#include <string>

namespace netprobe::hostsim {

// Opens the module's base dialog (modeless; closing it frees it) and sends it the host's
// skin-change message, as the suite does when the user picks another skin. Returns the
// dialog's window.
HWND OpenBaseDialog();

// Asks a value with the module's input dialog (modal); the value travels as GBK bytes.
struct InputOutcome {
    bool confirmed;
    std::string value;
};
InputOutcome AskValue(const std::string& initial);

// The module's wait window for a scope, as the suite brackets a long operation with
// ShowStatus / HideStatus. Counts the frames its progress strip shows meanwhile.
class WaitWindow {
public:
    explicit WaitWindow(const std::string& text);
    ~WaitWindow();
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;
    int frames() const { return frames_; }

private:
    int frames_ = 0;
};

}  // namespace netprobe::hostsim
