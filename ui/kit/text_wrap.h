#pragma once
// Breaks a text into the lines that fit a width in the font selected into a DC: between
// words where a line has a blank, else between any two characters (a run of Chinese
// characters, or a word wider than the line). Line ends in the text start new lines.
#include <windows.h>

#include <string>
#include <vector>

namespace netprobe::ui {

std::vector<std::wstring> WrapText(HDC dc, const std::wstring& text, int width);

}  // namespace netprobe::ui
