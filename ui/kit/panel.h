#pragma once
// A container control filled with its colour, with an optional raised or lowered outer bevel
// and a centred caption.
#include "ui/kit/window.h"

namespace netprobe::ui {

enum class TBevelCut { None, Lowered, Raised };

class TPanel : public TWinControl {
public:
    explicit TPanel(const ControlArgs& args);

    TBevelCut BevelOuter() const { return bevel_outer_; }
    void SetBevelOuter(TBevelCut cut);

    void AdjustClientRect(RECT& rect) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    TBevelCut bevel_outer_ = TBevelCut::Raised;
};

}  // namespace netprobe::ui
