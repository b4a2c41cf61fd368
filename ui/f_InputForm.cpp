#include "ui/f_InputForm.h"

#include <memory>

#include "core/texts.h"

namespace netprobe::ui {

namespace {

constexpr TColor kOlive = 0x008080;  // red 128, green 128, blue 0
constexpr TColor clDesktop = kSystemColor | COLOR_DESKTOP;

void MoveUp(TWinControl& control, int by) {
    control.SetBounds(control.Left(), control.Top() - by, control.Width(), control.Height());
}

}  // namespace

Tfrm_Input::Tfrm_Input(TComponent* owner) : Tfrm_CustomDlg(owner) {}

Tfrm_Input::~Tfrm_Input() noexcept(false) = default;

FormArgs Tfrm_Input::DefaultFormArgs() const {
    FormArgs args = Tfrm_CustomDlg::DefaultFormArgs();
    args.client_width = 329;
    args.client_height = 186;
    args.center_on_desktop = false;
    args.center_on_screen = true;
    args.caption = "Tfrm_Input";
    return args;
}

void Tfrm_Input::PlaceInheritedComponents() {
    Bevel1->SetBounds(46, 145, 280, 5);
    Bevel1->SetVisible(false);
    lbMark->SetBounds(10, 143, lbMark->Width(), lbMark->Height());
    sBtnClose->SetBounds(249, 159, 67, 22);
    sBtnClose->SetCaption(texts::CancelCaption());
    sBtnClose->OnClick = [this](TObject* sender) { sBtnCloseClick(sender); };
    pnlTop->SetBounds(0, 0, 329, 37);
    // Sized by its caption in the smaller font: 48 x 12 for the design's four characters.
    lbBusinessName->SetBounds(15, 12, lbBusinessName->Width(), lbBusinessName->Height());
    lbBusinessName->Font().SetName(texts::FontSong());
    lbBusinessName->Font().SetHeight(-12);
}

void Tfrm_Input::CreateComponents() {
    Tfrm_CustomDlg::CreateComponents();
    PlaceInheritedComponents();

    sBtnConfirm = new TFlatButton({.parent = this,
                                   .left = 169,
                                   .top = 159,
                                   .width = 67,
                                   .height = 22,
                                   .caption = texts::ConfirmCaption(),
                                   .tab_stop = true});
    sBtnConfirm->OnClick = [this](TObject* sender) { sBtnConfirmClick(sender); };

    memoInput = new TSkinMemo({.parent = this, .left = 16, .top = 48, .width = 297, .height = 89});
    memoInput->SetBorderColors(clDesktop, kOlive);

    editInput = new TSkinEdit({.parent = this, .left = 16, .top = 48, .width = 297, .height = 18});
    editInput->SetPasswordChar('*');
    editInput->OnKeyPress = [this](TObject* sender, char& key) { editInputKeyPress(sender, key); };

    // Both boxes are named for assistive tools by the title, which says what to enter.
    memoInput->SetLabel(lbBusinessName);
    editInput->SetLabel(lbBusinessName);

    editInput->SetTabOrder(0);
    sBtnConfirm->SetTabOrder(1);
    sBtnClose->SetTabOrder(2);
    pnlTop->SetTabOrder(3);
    memoInput->SetTabOrder(4);
}

void Tfrm_Input::FormShow(TObject*) {
    memoInput->SetText(Value);
    editInput->SetText(Value);
    memoInput->SetVisible(IsMemo);
    editInput->SetVisible(!IsMemo);
    editInput->SetPasswordChar(IsPassword ? '*' : '\0');
    if (IsMemo)
        SetActiveControl(memoInput);
    else
        SetActiveControl(editInput);
    if (!IsMemo) DropMemoRoom();
}

// The single-line dialog does without the room the taller box needs.
void Tfrm_Input::DropMemoRoom() {
    const int d = memoInput->Height() - editInput->Height();
    MoveUp(*sBtnConfirm, d);
    MoveUp(*lbMark, d);
    MoveUp(*Bevel1, d);
    MoveUp(*sBtnClose, d);
    SetHeight(Height() - d);
}

// Enter moves on to the confirm button instead of confirming by itself.
void Tfrm_Input::editInputKeyPress(TObject*, char& key) {
    if (key != '\r') return;
    key = 0;
    HWND next = GetNextDlgTabItem(Handle(), GetFocus(), FALSE);
    if (next) ::SetFocus(next);
}

void Tfrm_Input::sBtnConfirmClick(TObject*) {
    Value = IsMemo ? memoInput->Text() : editInput->Text();
    SetModalResult(mrOk);
}

void Tfrm_Input::sBtnCloseClick(TObject*) { SetModalResult(mrCancel); }

bool ShowInputDialog(const std::string& caption, const std::string& business_name, std::string& value, bool is_password,
                     bool is_memo) {
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    dialog->IsMemo = is_memo;
    dialog->Value = value;
    dialog->IsPassword = is_password;
    dialog->SetCaptions(caption, business_name);
    const bool confirmed = dialog->ShowModal() == mrOk;
    value = dialog->Value;
    return confirmed;
}

}  // namespace netprobe::ui
