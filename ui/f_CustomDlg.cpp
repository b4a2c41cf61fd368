#include "ui/f_CustomDlg.h"

#include "core/texts.h"

namespace netprobe::ui {

Tfrm_CustomDlg::Tfrm_CustomDlg(TComponent* owner) : TForm(owner) {}

Tfrm_CustomDlg::~Tfrm_CustomDlg() noexcept(false) = default;

FormArgs Tfrm_CustomDlg::DefaultFormArgs() const {
    FormArgs args;
    args.client_width = 491;
    args.client_height = 312;
    args.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // single border, fixed size
    args.center_on_desktop = true;
    args.scaled = true;  // follows the screen's resolution
    return args;
}

void Tfrm_CustomDlg::CreateComponents() {
    SetColor(clBtnFace);
    Font().SetName(texts::FontSong());
    Font().SetHeight(-12);
    Font().SetCharset(GB2312_CHARSET);
    Font().SetColor(clWindowText);

    Bevel1 = new TBevel({.parent = this, .left = 14, .top = 264, .width = 467, .height = 5}, TBevelShape::BottomLine);

    lbMark = new TLabel({.parent = this,
                         .left = 18,
                         .top = 262,
                         .width = 30,
                         .height = 11,
                         .caption = "mark",
                         .visible = false,
                         .enabled = false});
    lbMark->Font().SetName(texts::FontSong());
    lbMark->Font().SetHeight(-11);

    sBtnClose = new TFlatButton({.parent = this,
                                 .left = 410,
                                 .top = 279,
                                 .width = 67,
                                 .height = 22,
                                 .caption = texts::CloseCaption(),
                                 .tab_stop = true,
                                 .tab_order = 1});

    pnlTop = new TPanel({.parent = this, .width = ClientWidth(), .height = 37, .align = TAlign::Top, .tab_order = 0});
    pnlTop->SetBevelOuter(TBevelCut::None);
    pnlTop->SetColor(kDefaultTopBarColor);

    lbBusinessName = new TLabel(
        {.parent = pnlTop, .left = 15, .top = 10, .width = 64, .height = 16, .caption = texts::ModuleNameCaption()});
    lbBusinessName->Font().SetName(texts::FontHei());
    lbBusinessName->Font().SetHeight(-16);
    lbBusinessName->Font().SetCharset(GB2312_CHARSET);
    lbBusinessName->Font().SetColor(clWindow);
    lbBusinessName->SetTransparent(true);
}

// The host's context comes first, before the window is made: the window is owned by the
// host's main window from its creation on where the host gives one (else by the application
// window), so it has no taskbar button of its own, and a modal dialog stays above the window
// that it disables.
void Tfrm_CustomDlg::BeforeCreate(FormArgs& args) {
    LoadHostContext();
    args.owner = reinterpret_cast<HWND>(MainFrameHandle);
}

void Tfrm_CustomDlg::FormCreate(TObject*) {
    FuncCode = CurFuncCode;
    ApplySkin();
    HookImeEdits();
}

void Tfrm_CustomDlg::LoadHostContext() {
    HostFrameLib& host = Host();
    AppHandle = host.GetAppHandle();
    MainFrameHandle = host.GetMainFrameHandle();
    AppPath = host.GetAppPath();
    SubAppPath = host.GetCurSubAppPath();
    SubAppCode = host.GetCurSubAppCode();
    CurFuncCode = host.GetCurFuncCode();
    SubAppInfo = host.GetCurSubAppInfo();
    SubAppVO = host.GetCurSubAppVo();
    UserInfoVO = host.GetUserInfoVO();
    CompanyInfoVO = host.GetCompanyInfoVO();
}

void Tfrm_CustomDlg::SetCaptions(const std::string& caption, const std::string& business_name) {
    SetCaption(caption);
    lbBusinessName->SetCaption(business_name);
}

// Controls with a font of their own (the business title, the mark label) keep it.
void Tfrm_CustomDlg::ApplySkin() {
    HostFrameLib& host = Host();
    Font().SetCharset(host.giSysFontCharSet());
    Font().SetSize(host.giSysFontSize());
    Font().SetColor(host.gclSysFontColor());
    SetColor(host.gclModuleBackColor());
    pnlTop->SetColor(host.gclTopBarColor());
    host.SetSkinSchemeCtrls(this);
}

// Edits that already have an entry handler (their own, or this one from an earlier run)
// are left alone; memos and other controls are not touched.
void Tfrm_CustomDlg::HookImeEdits() {
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* edit = dynamic_cast<TSkinEdit*>(Component(i));
        if (edit && !edit->OnEnter) edit->OnEnter = [this](TObject* sender) { EditImeEnter(sender); };
    }
}

void Tfrm_CustomDlg::EditImeEnter(TObject* sender) {
    auto* edit = dynamic_cast<TSkinEdit*>(sender);
    if (!edit) return;
    if (edit->ImeMode() == TImeMode::Open || edit->ImeMode() == TImeMode::Chinese) {
        edit->SetImeMode(TImeMode::Open);
        edit->SetImeName(Host().GetUserConfigParam("RunParameter", "SysIME", texts::ImeDefaultName()));
    } else {
        edit->SetImeMode(TImeMode::Close);
        edit->SetImeName(texts::ImeEnglishName());
    }
}

void Tfrm_CustomDlg::FormKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_F1) SendToMainFrame(MSG_FRAME_F1);
}

void Tfrm_CustomDlg::FormClose(TObject*, TCloseAction& action) { action = TCloseAction::Free; }

LRESULT Tfrm_CustomDlg::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == MSG_SKIN_CHANGED) {
        ApplySkin();
        HookImeEdits();
        // Every pixel in the new colours: the children that the form clips, and the
        // transparent labels, whose own fonts keep the font change from reaching them.
        RedrawAll();
        return 0;
    }
    return TForm::WndProc(message, wparam, lparam);
}

}  // namespace netprobe::ui
