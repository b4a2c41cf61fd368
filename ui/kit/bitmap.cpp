#include "ui/kit/bitmap.h"

namespace netprobe::ui {

TBitmap::TBitmap() { canvas_.SetHandle(dc_.get()); }

TBitmap::~TBitmap() {
    canvas_.SetHandle(nullptr);
    if (original_) SelectObject(dc_.get(), original_);
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    canvas_.SetHandle(nullptr);
    if (original_) SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = width;
    height_ = height;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        if (bitmap_) original_ = SelectObject(dc_.get(), bitmap_.get());
    }
    canvas_.SetHandle(dc_.get());
}

COLORREF TBitmap::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    GdiFlush();
    const std::uint32_t bgr = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

}  // namespace netprobe::ui
