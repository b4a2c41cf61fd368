#include "ui/kit/panel.h"

namespace netprobe::ui {

TPanel::TPanel(const ControlArgs& args) : TWinControl(OwnerFor(args)) {
    WindowParams params;
    params.style |= WS_CLIPCHILDREN;
    params.ex_style = WS_EX_CONTROLPARENT;
    CreateChild(args, params);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    bevel_outer_ = cut;
    Invalidate();
}

void TPanel::AdjustClientRect(RECT& rect) {
    if (bevel_outer_ != TBevelCut::None) InflateRect(&rect, -1, -1);
}

void TPanel::Paint(TCanvas& canvas) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    if (bevel_outer_ != TBevelCut::None) {
        const bool raised = bevel_outer_ == TBevelCut::Raised;
        DrawEdge(canvas.Handle(), &rect, raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
    if (!Caption().empty()) {
        canvas.SetFont(Font());
        SetTextColor(canvas.Handle(), ColorToRGB(DrawColors().text));
        canvas.DrawTextIn(Caption(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

}  // namespace netprobe::ui
