#include "tools/hostsim/dialog_demo.h"

#include "core/texts.h"
#include "ui/f_CustomDlg.h"
#include "ui/f_InputForm.h"
#include "ui/f_Status.h"

namespace netprobe::hostsim {

HWND OpenBaseDialog() {
    auto* dialog = ui::CreateForm<ui::Tfrm_CustomDlg>();
    dialog->SetCaptions("netprobe - Tfrm_CustomDlg", dialog->lbBusinessName->Caption());
    dialog->sBtnClose->OnClick = [dialog](TObject*) { dialog->Close(); };
    dialog->Show();
    SendMessageA(dialog->Handle(), ui::MSG_SKIN_CHANGED, 0, 0);
    return dialog->Handle();
}

InputOutcome AskValue(const std::string& initial) {
    InputOutcome outcome{false, initial};
    outcome.confirmed =
        ui::ShowInputDialog("netprobe - ShowInputDialog", texts::InputDialogTitle(), outcome.value, false, false);
    return outcome;
}

WaitWindow::WaitWindow(const std::string& text) {
    ui::ShowStatus(text);
    ui::Tfrm_Status* status = ui::StatusWindow();
    if (status && status->Animator) status->Animator->OnFrameChange = [this](TObject*, std::int32_t) { ++frames_; };
}

WaitWindow::~WaitWindow() { ui::HideStatus(); }

}  // namespace netprobe::hostsim
