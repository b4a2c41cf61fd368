#pragma once
// An off-screen bitmap: a 32-bit top-down DIB section selected into its own memory DC, with
// a canvas over that DC and direct access to its pixels.
#include <windows.h>

#include <cstdint>

#include "ui/kit/canvas.h"
#include "ui/kit/gdi.h"

namespace netprobe::ui {

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // A new, black surface when the size changes; the same one otherwise.
    void SetSize(int width, int height);

    HDC DC() const { return dc_.get(); }
    HBITMAP Handle() const { return bitmap_.get(); }
    TCanvas& Canvas() { return canvas_; }

    // The pixel at (x, y) as a COLORREF; 0 outside the surface.
    COLORREF Pixel(int x, int y) const;

private:
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ original_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    TCanvas canvas_;
};

}  // namespace netprobe::ui
