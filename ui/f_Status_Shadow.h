#pragma once
// The status window's drop shadow: rings blended over what the canvas already shows, so a
// second pass over the same pixels darkens them further.
#include <windows.h>

#include "ui/kit/canvas.h"
#include "ui/kit/color.h"

namespace netprobe::ui {

// A over B with alpha 0..255 (system colours resolved first). The weight alpha / 255 is held
// in single precision; each channel is rounded to the nearest integer, ties to even.
TColor BlendColor(TColor a, TColor b, int alpha);

// `depth` rings of `color` along the bottom and right edges of `rect`, offset 2 * depth from
// its top-left corner, darkest next to the box, with rounded bottom-left, bottom-right and
// top-right corners. Nothing for a depth of 0 or less; pixels off the canvas stay as they are.
void DrawShadow(TCanvas& canvas, const RECT& rect, int depth, TColor color);

}  // namespace netprobe::ui
