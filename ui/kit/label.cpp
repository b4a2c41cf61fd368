#include "ui/kit/label.h"

#include <algorithm>

#include "core/wide_text.h"
#include "ui/kit/gdi.h"
#include "ui/kit/text_wrap.h"

namespace netprobe::ui {

TLabel::TLabel(const ControlArgs& args, TLabelSize size)
    : TWinControl(OwnerFor(args)), auto_size_(size == TLabelSize::Auto) {
    WindowParams params;
    params.graphic = true;
    CreateChild(args, params);
    AdjustSize();
}

void TLabel::SetAutoSize(bool value) {
    auto_size_ = value;
    AdjustSize();
}

void TLabel::SetCaption(const std::string& caption) {
    TWinControl::SetCaption(caption);
    AdjustSize();
}

void TLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TLabel::FitCaptionToWidth() {
    if (auto_size_ || word_wrap_ || Width() <= 0) return;
    for (int round = 0; round < 8; ++round) {
        MemoryDC dc;
        SelectObjectScope font(dc.get(), Font().Handle());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        SIZE extent{};
        const std::string caption = Caption();
        GetTextExtentPoint32A(dc.get(), caption.data(), static_cast<int>(caption.size()), &extent);
        if (extent.cx <= Width() || metrics.tmAveCharWidth <= 1) return;
        const int narrower =
            std::min(MulDiv(metrics.tmAveCharWidth, Width(), extent.cx), static_cast<int>(metrics.tmAveCharWidth) - 1);
        Font().SetWidth(narrower);
    }
}

void TLabel::SetWordWrap(bool wrap) {
    word_wrap_ = wrap;
    AdjustSize();
    Invalidate();
}

void TLabel::AdjustSize() {
    if (!auto_size_ || !Handle()) return;
    const SIZE size = CaptionSize();
    if (size.cx != Width() || size.cy != Height()) SetBounds(Left(), Top(), size.cx, size.cy);
}

// Measured as Paint draws it: one DrawText of the caption, or the wrapped lines.
SIZE TLabel::CaptionSize() const {
    MemoryDC dc;
    SelectObjectScope font(dc.get(), Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    if (word_wrap_) {
        const std::wstring text = GbkToWide(Caption());
        const int lines = static_cast<int>(WrapText(dc.get(), text, Width()).size());
        return SIZE{Width(), lines * metrics.tmHeight};
    }
    const std::string caption = Caption();
    if (caption.empty()) return SIZE{0, metrics.tmHeight};
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc.get(), caption.data(), static_cast<int>(caption.size()), &rect,
              DT_CALCRECT | DT_LEFT | DT_TOP | DT_NOPREFIX);
    return SIZE{rect.right, rect.bottom};
}

void TLabel::EraseBackground(TCanvas& canvas) {
    if (transparent_) {
        PaintParentBackground(canvas.Handle());
        return;
    }
    TWinControl::EraseBackground(canvas);
}

ColorPair TLabel::DrawColors() const {
    if (!transparent_ || !Parent()) return TWinControl::DrawColors();
    return DrawingPair(Parent()->Color(), Font().Color(), SystemPair());
}

void TLabel::Paint(TCanvas& canvas) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    canvas.SetFont(Font());
    SetTextColor(canvas.Handle(), ColorToRGB(Enabled() ? DrawColors().text : clGrayText));
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

void TLabel::ScaleBounds(int m, int d) {
    if (!auto_size_) {
        TWinControl::ScaleBounds(m, d);
        return;
    }
    SetBounds(MulDiv(Left(), m, d), MulDiv(Top(), m, d), Width(), Height());
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
    Invalidate();
}

}  // namespace netprobe::ui
