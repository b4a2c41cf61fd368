#include "label.h"

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
    canvas.DrawTextIn(Caption(), rect, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    Invalidate();
}

}  // namespace netprobe::ui
