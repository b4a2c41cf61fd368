#pragma once
// The base of the module's dialogs: a fixed 491 x 312 frame centred on the desktop with a
// coloured top bar carrying the business title, a separator above the button row and a
// close button. It takes a snapshot of the host's context when created, follows the host's
// skin (again on every skin-change message), switches the input method of its skinned edits
// when they are entered, and tells the main frame when F1 is pressed.
#include <string>

#include "core/HostFrameLib.h"
#include "ui/kit/bevel.h"
#include "ui/kit/flat_button.h"
#include "ui/kit/form.h"
#include "ui/kit/label.h"
#include "ui/kit/panel.h"
#include "ui/kit/skin_edit.h"
#include "ui/main_frame_messages.h"

namespace netprobe {
class TDataVO;
}

namespace netprobe::ui {

inline constexpr TColor kDefaultTopBarColor = 8375432;  // red 136, green 204, blue 127

class Tfrm_CustomDlg : public TForm {
public:
    explicit Tfrm_CustomDlg(TComponent* owner = nullptr);
    ~Tfrm_CustomDlg() noexcept(false) override;

    FormArgs DefaultFormArgs() const override;

    void SetCaptions(const std::string& caption, const std::string& business_name);
    virtual void ApplySkin();
    void LoadHostContext();
    void HookImeEdits();
    void EditImeEnter(TObject* sender);

    // Components, in creation order.
    TBevel* Bevel1 = nullptr;
    TLabel* lbMark = nullptr;
    TFlatButton* sBtnClose = nullptr;
    TPanel* pnlTop = nullptr;
    TLabel* lbBusinessName = nullptr;

    // The host's context at creation; the references belong to the host.
    std::string FuncCode;
    HostHandle AppHandle = 0;
    HostHandle MainFrameHandle = 0;
    std::string AppPath;
    std::string SubAppPath;
    std::string SubAppCode;
    std::string CurFuncCode;
    TObject* SubAppInfo = nullptr;
    TDataVO* SubAppVO = nullptr;
    TDataVO* UserInfoVO = nullptr;
    TDataVO* CompanyInfoVO = nullptr;

protected:
    void BeforeCreate(FormArgs& args) override;
    void CreateComponents() override;
    void DoCreate() override { FormCreate(this); }
    void KeyDown(WORD& key, TShiftState shift) override { FormKeyDown(this, key, shift); }
    void DoClose(TCloseAction& action) override { FormClose(this, action); }
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    void FormCreate(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormClose(TObject* sender, TCloseAction& action);
};

}  // namespace netprobe::ui
