#include "ui/kit/bevel.h"

namespace netprobe::ui {

TBevel::TBevel(const ControlArgs& args, TBevelShape shape) : TWinControl(OwnerFor(args)), shape_(shape) {
    WindowParams params;
    params.graphic = true;
    CreateChild(args, params);
}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::EraseBackground(TCanvas& canvas) { PaintParentBackground(canvas.Handle()); }

// A lowered line: shadow, then highlight one pixel further out.
void TBevel::Paint(TCanvas& canvas) {
    const int w = ClientWidth(), h = ClientHeight();
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.SetPenColor(color);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    switch (shape_) {
        case TBevelShape::Box:
        case TBevelShape::Frame: {
            RECT rect{0, 0, w, h};
            DrawEdge(canvas.Handle(), &rect, shape_ == TBevelShape::Frame ? EDGE_ETCHED : BDR_SUNKENOUTER, BF_RECT);
            break;
        }
        case TBevelShape::TopLine:
            line(clBtnShadow, 0, 0, w, 0);
            line(clBtnHighlight, 0, 1, w, 1);
            break;
        case TBevelShape::BottomLine:
            line(clBtnShadow, 0, h - 2, w, h - 2);
            line(clBtnHighlight, 0, h - 1, w, h - 1);
            break;
        case TBevelShape::LeftLine:
            line(clBtnShadow, 0, 0, 0, h);
            line(clBtnHighlight, 1, 0, 1, h);
            break;
        case TBevelShape::RightLine:
            line(clBtnShadow, w - 2, 0, w - 2, h);
            line(clBtnHighlight, w - 1, 0, w - 1, h);
            break;
    }
}

}  // namespace netprobe::ui
