#include "ui/kit/canvas.h"

#include "ui/kit/font.h"

namespace netprobe::ui {

void TCanvas::RestoreObjects() {
    if (!dc_) return;
    if (old_pen_) SelectObject(dc_, old_pen_);
    if (old_brush_) SelectObject(dc_, old_brush_);
    if (old_font_) SelectObject(dc_, old_font_);
    old_pen_ = old_brush_ = old_font_ = nullptr;
}

void TCanvas::SetHandle(HDC dc) {
    RestoreObjects();
    dc_ = dc;
    if (dc_) {
        SelectPen();
        SelectBrush();
    }
}

void TCanvas::SelectPen() {
    if (!dc_) return;
    Pen pen(CreatePen(pen_style_, 1, ColorToRGB(pen_color_)));
    HGDIOBJ previous = SelectObject(dc_, pen.get());
    if (!old_pen_) old_pen_ = previous;
    pen_ = std::move(pen);  // the one selected before is no longer in the context
}

void TCanvas::SelectBrush() {
    if (!dc_) return;
    if (brush_clear_) {
        HGDIOBJ previous = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        if (!old_brush_) old_brush_ = previous;
        brush_.Reset();
        return;
    }
    Brush brush(CreateSolidBrush(ColorToRGB(brush_color_)));
    HGDIOBJ previous = SelectObject(dc_, brush.get());
    if (!old_brush_) old_brush_ = previous;
    brush_ = std::move(brush);
}

void TCanvas::SetPenColor(TColor color) {
    pen_color_ = color;
    SelectPen();
}
void TCanvas::SetPenStyle(int style) {
    pen_style_ = style;
    SelectPen();
}
void TCanvas::SetBrushColor(TColor color) {
    brush_color_ = color;
    brush_clear_ = false;
    SelectBrush();
}
void TCanvas::SetBrushClear(bool clear) {
    brush_clear_ = clear;
    SelectBrush();
}

void TCanvas::SetFont(const TFont& font) {
    if (!dc_) return;
    font_ = font.Handle();
    HGDIOBJ previous = SelectObject(dc_, font_);
    if (!old_font_) old_font_ = previous;
    SetTextColor(dc_, ColorToRGB(font.Color()));
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }
void TCanvas::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void TCanvas::FillRect(const RECT& rect) {
    if (brush_clear_) return;
    ::FillRect(dc_, &rect, brush_.get());
}

void TCanvas::Rectangle(const RECT& rect) { ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom); }
void TCanvas::Ellipse(const RECT& rect) { ::Ellipse(dc_, rect.left, rect.top, rect.right, rect.bottom); }

void TCanvas::TextAt(int x, int y, const std::string& text) {
    SetBkMode(dc_, TRANSPARENT);
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::DrawTextIn(const std::string& text, RECT rect, UINT format) {
    SetBkMode(dc_, TRANSPARENT);
    ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rect, format);
}

void TCanvas::Draw(int x, int y, HDC source, int width, int height) {
    BitBlt(dc_, x, y, width, height, source, 0, 0, SRCCOPY);
}

}  // namespace netprobe::ui
