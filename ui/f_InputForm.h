#pragma once
// The input dialog: asks the user for one value in a single-line box (masked for secrets if
// wanted) or in a multi-line box, with a confirm and a cancel button. Callers use it through
// ShowInputDialog.
#include <string>

#include "ui/f_CustomDlg.h"

namespace netprobe::ui {

class Tfrm_Input : public Tfrm_CustomDlg {
public:
    explicit Tfrm_Input(TComponent* owner = nullptr);
    ~Tfrm_Input() noexcept(false) override;

    FormArgs DefaultFormArgs() const override;

    TFlatButton* sBtnConfirm = nullptr;
    TSkinMemo* memoInput = nullptr;
    TSkinEdit* editInput = nullptr;
    std::string Value;
    bool IsMemo = false;
    bool IsPassword = false;

    void editInputKeyPress(TObject* sender, char& key);
    void sBtnConfirmClick(TObject* sender);
    void sBtnCloseClick(TObject* sender);

protected:
    void CreateComponents() override;
    void DoShow() override { FormShow(this); }
    void FormShow(TObject* sender);

private:
    void PlaceInheritedComponents();
    void DropMemoRoom();
};

// Shows the dialog modally with the window title, the business title and the value (GBK).
// True when the user confirmed; `value` receives the dialog's value in every case, so after
// a cancel it is what was passed in. The dialog is gone when this returns, also by an error.
bool ShowInputDialog(const std::string& caption, const std::string& business_name, std::string& value, bool is_password,
                     bool is_memo);

}  // namespace netprobe::ui
