#include "label.h"

#include "text_wrap.h"

namespace netprobe::ui {

TLabel::TLabel(const ControlArgs& args) : TWinControl(OwnerFor(args)) {
    WindowParams params;
    params.graphic = true;
    CreateChild(args, params);
}

void TLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TLabel::SetWordWrap(bool wrap) {
    word_wrap_ = wrap;
    Invalidate();
}

void TLabel::EraseBackground(TCanvas& canvas) {
    if (transparent_) {
        PaintParentBackground(canvas.Handle());
        return;
    }
    TWinControl::EraseBackground(canvas);
}

void TLabel::Paint(TCanvas& canvas) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    canvas.SetFont(Font());
    if (!Enabled()) SetTextColor(canvas.Handle(), ColorToRGB(clGrayText));
    if (word_wrap_) {
        PaintWrapped(canvas, rect);
        return;
    }
    canvas.DrawTextIn(Caption(), rect, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

// Line under line from the top; what lies below the label is cut off.
void TLabel::PaintWrapped(TCanvas& canvas, const RECT& rect) {
    HDC dc = canvas.Handle();
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    int y = rect.top;
    for (const std::wstring& line : WrapText(dc, GbkToWide(Caption()), rect.right - rect.left)) {
        if (y >= rect.bottom) break;
        ExtTextOutW(dc, rect.left, y, ETO_CLIPPED, &rect, line.data(), static_cast<UINT>(line.size()), nullptr);
        y += metrics.tmHeight;
    }
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    Invalidate();
}

}  // namespace netprobe::ui
