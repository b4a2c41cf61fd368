#pragma once
// Owners for GDI handles and device contexts: every object that the dialog kit creates is
// released by the scope that made it.
#include <windows.h>

#include <utility>

namespace netprobe::ui {

// A GDI object (HPEN, HBRUSH, HFONT, HBITMAP) released with DeleteObject.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;

// A memory device context (CreateCompatibleDC / DeleteDC).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window's device context (GetDC / ReleaseDC); a null window gives the screen's.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of a whole window, frame included (GetWindowDC / ReleaseDC).
class WindowFrameDC {
public:
    explicit WindowFrameDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowFrameDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowFrameDC(const WindowFrameDC&) = delete;
    WindowFrameDC& operator=(const WindowFrameDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's client area with its children's pixels in it, whatever its WS_CLIPCHILDREN:
// for drawing over the children once they have painted (GetDCEx / ReleaseDC).
class ChildrenDC {
public:
    explicit ChildrenDC(HWND window) : window_(window), dc_(GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS)) {}
    ~ChildrenDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ChildrenDC(const ChildrenDC&) = delete;
    ChildrenDC& operator=(const ChildrenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintDC() { EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectObjectScope() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC for a scope.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDC() {
        if (state_) RestoreDC(dc_, state_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int state_;
};

}  // namespace netprobe::ui
