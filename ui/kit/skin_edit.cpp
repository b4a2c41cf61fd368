#include "ui/kit/skin_edit.h"

#include <vector>

#include "ui/kit/accessible.h"
#include "ui/kit/gdi.h"

namespace netprobe::ui {

namespace {

bool IsKey(const MSG* msg, WPARAM key) {
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == key;
}

}  // namespace

TCustomSkinEdit::TCustomSkinEdit(const ControlArgs& args, DWORD style) : TWinControl(OwnerFor(args)) {
    WindowParams params;
    params.class_name = "EDIT";
    params.style |= style;  // no WS_BORDER: the system control would draw it over ours
    ControlArgs with_tab = args;
    with_tab.tab_stop = true;
    CreateChild(with_tab, params);
    SetColor(clWindow);
    // The frame was measured before the window was subclassed: measure it again with ours.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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

HBRUSH TCustomSkinEdit::CtlColor(HDC dc) {
    const ColorPair colors = DrawColors();
    SetTextColor(dc, ColorToRGB(colors.text));
    SetBkColor(dc, ColorToRGB(colors.face));
    return FaceBrush(colors.face);
}

void TCustomSkinEdit::SetBorderColors(TColor normal, TColor focused) {
    normal_border_ = normal;
    focused_border_ = focused;
    if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TCustomSkinEdit::PaintBorder() {
    WindowFrameDC dc(Handle());
    if (!dc.get()) return;
    RECT rect;
    GetWindowRect(Handle(), &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    Brush brush(CreateSolidBrush(ColorToRGB(BorderColor())));
    FrameRect(dc.get(), &rect, brush.get());
}

LRESULT TCustomSkinEdit::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CHAR:
            if (OnKeyPress) {
                char key = static_cast<char>(wparam);
                TKeyPressEvent handler = OnKeyPress;
                handler(this, key);
                if (key == 0) return 0;
                wparam = static_cast<unsigned char>(key);
            }
            break;
        case WM_GETDLGCODE: {
            // Tab and Escape are the dialog's, also in the memo, which asks for every key.
            const auto* msg = reinterpret_cast<const MSG*>(lparam);
            LRESULT code = TWinControl::WndProc(message, wparam, lparam);
            if (IsKey(msg, VK_TAB) || IsKey(msg, VK_ESCAPE)) code &= ~(DLGC_WANTMESSAGE | DLGC_WANTTAB);
            if (OnKeyPress && IsKey(msg, VK_RETURN)) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_GETOBJECT:
            if (label_)
                if (LRESULT object = AnswerGetObject(Handle(), {.name = label_->Caption()}, wparam, lparam))
                    return object;
            break;
        case WM_NCCALCSIZE:
            // The border's pixel on every side, outside the client area and the scroll bar
            // (with wparam TRUE the parameters begin with the same rectangle).
            InflateRect(reinterpret_cast<RECT*>(lparam), -1, -1);
            break;
        case WM_NCPAINT: {
            LRESULT result = TWinControl::WndProc(message, wparam, lparam);
            PaintBorder();
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            LRESULT result = TWinControl::WndProc(message, wparam, lparam);
            if (Handle()) PaintBorder();
            return result;
        }
        default:
            break;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

TSkinEdit::TSkinEdit(const ControlArgs& args) : TCustomSkinEdit(args, ES_AUTOHSCROLL) {}

char TSkinEdit::PasswordChar() const { return static_cast<char>(SendMessageA(Handle(), EM_GETPASSWORDCHAR, 0, 0)); }

void TSkinEdit::SetPasswordChar(char value) {
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
}

TSkinMemo::TSkinMemo(const ControlArgs& args)
    : TCustomSkinEdit(args, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL) {}

}  // namespace netprobe::ui
