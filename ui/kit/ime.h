#pragma once
// Input-method modes of an edit box and how they are applied through IMM32 when the box
// receives the focus.
#include <windows.h>

#include <string>

namespace netprobe::ui {

enum class TImeMode { Disable, Close, Open, DontCare, SAlpha, Alpha, Hira, SKata, Kata, Chinese, SHanguel, Hanguel };

// Open or Chinese: the input method is switched on; Close: switched off. In these modes the
// keyboard layout whose description is `name` (if one is installed) becomes active. Other
// modes leave the input method and the layout as they are.
void ApplyImeMode(HWND window, TImeMode mode, const std::string& name);

// The installed keyboard layout whose input-method description is `name`; nullptr if none.
HKL FindKeyboardLayout(const std::string& name);

}  // namespace netprobe::ui
