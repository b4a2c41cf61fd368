#pragma once
// A bevel: an etched frame or a single etched line on one side.
#include "ui/kit/window.h"

namespace netprobe::ui {

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine };

class TBevel : public TWinControl {
public:
    TBevel(const ControlArgs& args, TBevelShape shape);

    void SetShape(TBevelShape shape);

protected:
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;

private:
    TBevelShape shape_;
};

}  // namespace netprobe::ui
