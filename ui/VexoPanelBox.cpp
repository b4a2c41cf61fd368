#include "ui/VexoPanelBox.h"

namespace netprobe::ui {

namespace {
ControlArgs WithoutCaption(ControlArgs args) {
    args.caption.clear();
    return args;
}
}  // namespace

TVexoPanelBox::TVexoPanelBox(const ControlArgs& args) : TPanel(WithoutCaption(args)) { SetBevelOuter(TBevelCut::None); }

void TVexoPanelBox::SetHasBorder(bool value) {
    has_border_ = value;
    Repaint();
}
void TVexoPanelBox::SetBorderColor(TColor value) {
    border_color_ = value;
    Repaint();
}
void TVexoPanelBox::SetHasTopBorder(bool value) {
    has_top_ = value;
    Repaint();
}
void TVexoPanelBox::SetHasBottomBorder(bool value) {
    has_bottom_ = value;
    Repaint();
}
void TVexoPanelBox::SetHasLeftBorder(bool value) {
    has_left_ = value;
    Repaint();
}
void TVexoPanelBox::SetHasRightBorder(bool value) {
    has_right_ = value;
    Repaint();
}

// One pixel in on every side that has a line; nothing at all without a border.
void TVexoPanelBox::AdjustClientRect(RECT& rect) {
    TPanel::AdjustClientRect(rect);
    if (!has_border_) return;
    InflateRect(&rect, -1, -1);
    if (!has_top_) rect.top -= 1;
    if (!has_left_) rect.left -= 1;
    if (!has_bottom_) rect.bottom += 1;
    if (!has_right_) rect.right += 1;
}

// Each line runs up to, not including, its end point: the right and bottom lines lie on
// the last column and row.
void TVexoPanelBox::Paint(TCanvas& canvas) {
    TPanel::Paint(canvas);
    if (!has_border_) return;
    const int w = ClientWidth(), h = ClientHeight();
    canvas.SetPenStyle(PS_SOLID);
    canvas.SetPenColor(border_color_);
    canvas.Lock();
    auto line = [&](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (has_top_) line(0, 0, w, 0);
    if (has_left_) line(0, 0, 0, h);
    if (has_right_) line(w - 1, 0, w - 1, h);
    if (has_bottom_) line(0, h - 1, w, h - 1);
    canvas.Unlock();
}

}  // namespace netprobe::ui
