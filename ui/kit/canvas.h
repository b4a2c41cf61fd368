#pragma once
// A drawing surface over a device context it does not own. The pen, brush and font it
// selects are its own objects; the context gets its original objects back when the canvas
// goes or when its handle changes.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/kit/color.h"
#include "ui/kit/gdi.h"

namespace netprobe::ui {

class TFont;

class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) { SetHandle(dc); }
    ~TCanvas() { SetHandle(nullptr); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);

    void SetPenColor(TColor color);
    void SetPenStyle(int style);  // PS_SOLID, PS_DOT, ...
    void SetBrushColor(TColor color);
    void SetBrushClear(bool clear);
    void SetFont(const TFont& font);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);  // the end point itself is not drawn
    void FillRect(const RECT& rect);
    void Rectangle(const RECT& rect);
    void Ellipse(const RECT& rect);
    void TextAt(int x, int y, const std::string& text);
    void DrawTextIn(const std::string& text, RECT rect, UINT format);
    void Draw(int x, int y, HDC source, int width, int height);
    // One pixel: CLR_INVALID outside the surface or its clipping; writes outside change nothing.
    COLORREF Pixel(int x, int y) const { return ::GetPixel(dc_, x, y); }
    void SetPixel(int x, int y, COLORREF color) { ::SetPixelV(dc_, x, y, color); }

    // Serialises drawing from other threads in the toolkits this mirrors; everything here
    // runs on the user-interface thread, so a lock only counts its depth.
    void Lock() { ++lock_count_; }
    void Unlock() { --lock_count_; }

private:
    void SelectPen();
    void SelectBrush();
    void RestoreObjects();

    HDC dc_ = nullptr;
    TColor pen_color_ = clBlack;
    int pen_style_ = PS_SOLID;
    TColor brush_color_ = clWhite;
    bool brush_clear_ = false;
    Pen pen_;
    Brush brush_;
    HFONT font_ = nullptr;  // owned by the TFont given
    HGDIOBJ old_pen_ = nullptr, old_brush_ = nullptr, old_font_ = nullptr;
    int lock_count_ = 0;
};

}  // namespace netprobe::ui
