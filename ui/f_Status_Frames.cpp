#include "ui/f_Status_Frames.h"

#include <cstdint>
#include <vector>

#include "ui/kit/gdi.h"

namespace netprobe::ui {

namespace {

constexpr COLORREF kMaskColor = RGB(255, 0, 255);  // never used by a visible pixel
constexpr int kStripeWidth = 4;
constexpr int kStep = kProgressStripeSpacing / kProgressFrameCount;

int Mix(int from, int to, int num, int den) { return from + (to - from) * num / den; }

// Light blue at the top row of the body, dark blue at the bottom row.
COLORREF BodyColor(int y) {
    const int row = y - 1, rows = kProgressFrameHeight - 3;
    return RGB(Mix(150, 24, row, rows), Mix(206, 92, row, rows), Mix(255, 196, row, rows));
}

COLORREF Lighter(COLORREF color) {
    auto up = [](int c) { return c + (255 - c) * 2 / 5; };
    return RGB(up(GetRValue(color)), up(GetGValue(color)), up(GetBValue(color)));
}

bool OnStripe(int frame, int x, int y) {
    const int phase = (x + y - kStep * frame) % kProgressStripeSpacing;
    return (phase + kProgressStripeSpacing) % kProgressStripeSpacing < kStripeWidth;
}

// The design pixel that a pixel of a frame `size` long shows, along one axis: the outline at
// either end, the inside stretched between them.
int DesignCoordinate(int scaled, int size, int design_size) {
    if (size == design_size || scaled == 0) return scaled;
    if (scaled == size - 1) return design_size - 1;
    return 1 + (scaled - 1) * (design_size - 2) / (size - 2);
}

}  // namespace

COLORREF ProgressFramePixel(int frame, int x, int y, bool& transparent) {
    const int right = kProgressFrameWidth - 1, bottom = kProgressFrameHeight - 1;
    const bool edge_x = x == 0 || x == right, edge_y = y == 0 || y == bottom;
    transparent = edge_x && edge_y;
    if (transparent) return kMaskColor;
    if (edge_x || edge_y) return kProgressOutline;
    const COLORREF body = BodyColor(y);
    return OnStripe(frame, x, y) ? Lighter(body) : body;
}

// Each frame is composed in memory and handed to the display in one call.
void AddProgressFrames(TImageList& list) {
    const int width = list.Width(), height = list.Height();
    WindowDC screen(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
    for (int frame = 0; frame < kProgressFrameCount; ++frame) {
        for (int y = 0; y < height; ++y) {
            const int design_y = DesignCoordinate(y, height, kProgressFrameHeight);
            for (int x = 0; x < width; ++x) {
                bool transparent = false;
                const int design_x = DesignCoordinate(x, width, kProgressFrameWidth);
                const COLORREF c = ProgressFramePixel(frame, design_x, design_y, transparent);
                pixels[static_cast<size_t>(y * width + x)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        BitmapHandle image(CreateCompatibleBitmap(screen.get(), width, height));
        SetDIBits(screen.get(), image.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        list.AddMasked(image.get(), kMaskColor);
    }
}

}  // namespace netprobe::ui
