#pragma once
// Colours as the host gives them (red + 256 * green + 65536 * blue), plus system colours
// named by 0x80000000 | COLOR_* index and resolved when drawn.
#include <windows.h>

#include "core/HostFrameLib.h"

namespace netprobe::ui {

inline constexpr TColor kSystemColor = 0x80000000u;
inline constexpr TColor clBtnFace = kSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = kSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = kSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clWindow = kSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = kSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clGrayText = kSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

inline COLORREF ColorToRGB(TColor color) {
    if (color & kSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace netprobe::ui
