#include "ui/kit/shape.h"

namespace netprobe::ui {

TShape::TShape(const ControlArgs& args, TShapeType type) : TWinControl(OwnerFor(args)), type_(type) {
    WindowParams params;
    params.graphic = true;
    CreateChild(args, params);
}

void TShape::SetPenColor(TColor color) {
    pen_color_ = color;
    Invalidate();
}

void TShape::SetBrushColor(TColor color) {
    brush_color_ = color;
    Invalidate();
}

void TShape::SetPenStyle(int style) {
    pen_style_ = style;
    Invalidate();
}

void TShape::EraseBackground(TCanvas& canvas) { PaintParentBackground(canvas.Handle()); }

void TShape::Paint(TCanvas& canvas) {
    RECT rect{0, 0, ClientWidth(), ClientHeight()};
    canvas.SetPenColor(pen_color_);
    canvas.SetPenStyle(pen_style_);
    canvas.SetBrushColor(brush_color_);
    // The gaps of a dotted or dashed outline take the brush colour.
    SetBkMode(canvas.Handle(), OPAQUE);
    SetBkColor(canvas.Handle(), ColorToRGB(brush_color_));
    if (type_ == TShapeType::Ellipse)
        canvas.Ellipse(rect);
    else
        canvas.Rectangle(rect);
}

}  // namespace netprobe::ui
