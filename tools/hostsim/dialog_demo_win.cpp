#include "dialog_demo.h"

#include "f_CustomDlg.h"

namespace netprobe::hostsim {

HWND OpenBaseDialog() {
    auto* dialog = ui::CreateForm<ui::Tfrm_CustomDlg>();
    dialog->SetCaptions("netprobe - Tfrm_CustomDlg", dialog->lbBusinessName->Caption());
    dialog->sBtnClose->OnClick = [dialog](TObject*) { dialog->Close(); };
    dialog->Show();
    SendMessageA(dialog->Handle(), ui::MSG_SKIN_CHANGED, 0, 0);
    return dialog->Handle();
}

}  // namespace netprobe::hostsim
