#include "ui/f_Status_Shadow.h"

#include <cmath>

namespace netprobe::ui {

namespace {

int Channel(COLORREF color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// The default rounding mode rounds halves to even.
int BlendChannel(int a, int b, float x) {
    const double value = a * static_cast<double>(x) + (1.0 - static_cast<double>(x)) * b;
    return static_cast<int>(std::nearbyint(value));
}

void BlendPixel(TCanvas& canvas, int x, int y, TColor color, int alpha) {
    const COLORREF under = canvas.Pixel(x, y);
    if (under == CLR_INVALID) return;
    canvas.SetPixel(x, y, BlendColor(color, under, alpha));
}

void BlendRow(TCanvas& canvas, int y, int x0, int x1, TColor color, int alpha) {
    for (int x = x0; x <= x1; ++x) BlendPixel(canvas, x, y, color, alpha);
}

void BlendColumn(TCanvas& canvas, int x, int y0, int y1, TColor color, int alpha) {
    for (int y = y0; y <= y1; ++y) BlendPixel(canvas, x, y, color, alpha);
}

// Ring i (1 = innermost), its runs in drawing order.
void BlendRing(TCanvas& canvas, const RECT& r, int depth, int i, TColor color, int alpha) {
    const int inner_x = r.left + 2 * depth - i;  // column of the bottom-left corner
    const int inner_y = r.top + 2 * depth - i;   // row of the top-right corner
    const int bottom = r.bottom + i - 1;         // the ring's row below the box
    const int right = r.right + i - 1;           // the ring's column right of the box
    BlendColumn(canvas, inner_x, r.bottom - 1, bottom - 1, color, alpha);
    BlendPixel(canvas, inner_x + 1, bottom - 1, color, alpha);
    BlendRow(canvas, bottom, inner_x + 1, right - 1, color, alpha);
    BlendPixel(canvas, right - 1, bottom - 1, color, alpha);
    BlendRow(canvas, inner_y, r.right - 1, right - 1, color, alpha);
    BlendPixel(canvas, right - 1, inner_y + 1, color, alpha);
    BlendColumn(canvas, right, inner_y + 1, bottom - 1, color, alpha);
}

}  // namespace

TColor BlendColor(TColor a, TColor b, int alpha) {
    const COLORREF ca = ColorToRGB(a), cb = ColorToRGB(b);
    // Stored to memory, so that the x87 unit cannot keep more than single precision.
    volatile float weight = static_cast<float>(alpha) / 255.0f;
    const float x = weight;
    const int red = BlendChannel(Channel(ca, 0), Channel(cb, 0), x);
    const int green = BlendChannel(Channel(ca, 8), Channel(cb, 8), x);
    const int blue = BlendChannel(Channel(ca, 16), Channel(cb, 16), x);
    return static_cast<TColor>(RGB(red, green, blue));
}

void DrawShadow(TCanvas& canvas, const RECT& rect, int depth, TColor color) {
    if (depth <= 0) return;
    const int step = 128 / depth;
    int alpha = 128;
    for (int i = 1; i <= depth; ++i) {
        BlendRing(canvas, rect, depth, i, color, alpha);
        alpha -= step;
    }
}

}  // namespace netprobe::ui
