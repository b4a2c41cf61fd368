#include "ui/f_CustomDlgEx.h"

namespace netprobe::ui {

Tfrm_CustomDlgEx::Tfrm_CustomDlgEx(TComponent* owner) : Tfrm_CustomDlg(owner) {}

Tfrm_CustomDlgEx::~Tfrm_CustomDlgEx() noexcept(false) = default;

// Laid out in fixed pixels, whatever the screen's font resolution.
FormArgs Tfrm_CustomDlgEx::DefaultFormArgs() const {
    FormArgs args = Tfrm_CustomDlg::DefaultFormArgs();
    args.caption = "Tfrm_CustomDlgEx";
    args.scaled = false;
    return args;
}

void Tfrm_CustomDlgEx::CreateComponents() {
    Tfrm_CustomDlg::CreateComponents();
    // No top bar, so no business title either.
    pnlTop->SetHeight(0);
    pnlTop->SetEnabled(false);
    pnlTop->SetVisible(false);

    Bevel1->SetBounds(14, 283, 50, 2);
    Bevel1->SetVisible(false);

    // 59 x 13, the mark text smoothed and narrowed where needed to show whole inside: the
    // dotted rule starts two pixels to the right.
    lbMark->SetAutoSize(false);
    lbMark->SetBounds(11, 261, 59, 13);
    lbMark->SetCaption("KT-MEADOW");
    lbMark->SetTransparent(true);
    lbMark->Font().SetName("Arial");
    lbMark->Font().SetHeight(-10);
    lbMark->Font().SetCharset(ANSI_CHARSET);
    lbMark->Font().SetColor(kMarkColor);
    lbMark->Font().SetSmoothed(true);
    lbMark->FitCaptionToWidth();
    lbMark->SetEnabled(true);
    lbMark->SetVisible(true);

    Shape1 = new TShape({.parent = this, .left = 72, .top = 267, .width = 403, .height = 1}, TShapeType::Rectangle);
    Shape1->SetPenStyle(PS_DOT);
    Shape1->SetPenColor(kMarkColor);
    SetChildOrder(Shape1, 2);  // third, after the bevel and the mark text

    sBtnClose->SetBounds(410, 279, 67, 22);
}

void Tfrm_CustomDlgEx::ApplySkin() {
    Tfrm_CustomDlg::ApplySkin();
    if (Shape1) Shape1->SetBrushColor(Host().gclModuleBackColor());
}

}  // namespace netprobe::ui
