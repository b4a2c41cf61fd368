#include "skin_edit.h"

#include <vector>

namespace netprobe::ui {

TCustomSkinEdit::TCustomSkinEdit(const ControlArgs& args, DWORD style)
    : TWinControl(OwnerFor(args)) {
    WindowParams params;
    params.class_name = "EDIT";
    params.style |= style | WS_BORDER;
    ControlArgs with_tab = args;
    with_tab.tab_stop = true;
    CreateChild(with_tab, params);
    SetColor(clWindow);
}

std::string TCustomSkinEdit::Text() const {
    const int length = GetWindowTextLengthA(Handle());
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextA(Handle(), buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(got));
}

void TCustomSkinEdit::SetText(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

void TCustomSkinEdit::DoEnter() {
    if (OnEnter) {
        TNotifyEvent handler = OnEnter;
        handler(this);
    }
    ApplyImeMode(Handle(), ime_mode_, ime_name_);
}

TSkinEdit::TSkinEdit(const ControlArgs& args) : TCustomSkinEdit(args, ES_AUTOHSCROLL) {}

TSkinMemo::TSkinMemo(const ControlArgs& args)
    : TCustomSkinEdit(args, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL) {}

}  // namespace netprobe::ui
