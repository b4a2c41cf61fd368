#pragma once
// A filled rectangle or ellipse with an outline, in the pen and brush colours given.
#include "ui/kit/window.h"

namespace netprobe::ui {

enum class TShapeType { Rectangle, Ellipse };

class TShape : public TWinControl {
public:
    TShape(const ControlArgs& args, TShapeType type);

    void SetPenColor(TColor color);
    void SetBrushColor(TColor color);
    void SetPenStyle(int style);  // PS_SOLID, PS_DOT, ...
    TColor PenColor() const { return pen_color_; }
    int PenStyle() const { return pen_style_; }
    TColor BrushColor() const { return brush_color_; }

protected:
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;

private:
    TShapeType type_;
    TColor pen_color_ = clBlack;
    TColor brush_color_ = clWhite;
    int pen_style_ = PS_SOLID;
};

}  // namespace netprobe::ui
