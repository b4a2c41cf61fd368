#include "ui/kit/flat_button.h"

#include <oleacc.h>

#include "ui/kit/accessible.h"

namespace netprobe::ui {

namespace {
constexpr TColor kFrame = 0x8E8E8E;
constexpr TColor kHotFace = 0xF7EDE3;
constexpr TColor kPressedFace = 0xE6D2BE;
}  // namespace

TFlatButton::TFlatButton(const ControlArgs& args) : TWinControl(OwnerFor(args)) { CreateChild(args, WindowParams{}); }

void TFlatButton::Click() {
    if (OnClick) {
        TNotifyEvent handler = OnClick;
        handler(this);
    }
}

void TFlatButton::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    Invalidate();
}

LRESULT TFlatButton::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case WM_GETOBJECT:
            if (LRESULT object = AnswerGetObject(Handle(), {Caption(), ROLE_SYSTEM_PUSHBUTTON, true}, wparam, lparam))
                return object;
            break;
        case WM_MOUSEMOVE: {
            if (!hot_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
            }
            SetHot(true);
            break;
        }
        case WM_MOUSELEAVE:
            SetHot(false);
            break;
        case WM_LBUTTONDOWN:
            SetFocus();
            SetCapture(Handle());
            pressed_ = true;
            Invalidate();
            return 0;
        case WM_LBUTTONUP: {
            if (!pressed_) break;
            pressed_ = false;
            ReleaseCapture();
            Invalidate();
            POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            RECT rect;
            GetClientRect(Handle(), &rect);
            if (PtInRect(&rect, at)) Click();
            return 0;
        }
        case BM_CLICK:
            Click();
            return 0;
        case WM_KEYDOWN:
            if (wparam == VK_SPACE || wparam == VK_RETURN) key_down_ = true;
            break;
        case WM_KEYUP:
            if ((wparam == VK_SPACE || wparam == VK_RETURN) && key_down_) {
                key_down_ = false;
                Click();
            }
            break;
        case WM_KILLFOCUS:
            key_down_ = false;
            Invalidate();
            break;
        case WM_SETFOCUS:
        case WM_ENABLE:
            Invalidate();
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

// Lighter while hot and pressed, in the system's highlight colours under high contrast, its
// frame then in the text's colour.
void TFlatButton::Paint(TCanvas& canvas) {
    RECT rect{0, 0, ClientWidth(), ClientHeight()};
    ColorPair colors = DrawColors();
    const bool high_contrast = HighContrast();
    if ((pressed_ || hot_) && high_contrast)
        colors = {clHighlight, clHighlightText};
    else if (pressed_ || hot_)
        colors.face = pressed_ ? kPressedFace : kHotFace;
    canvas.SetBrushColor(colors.face);
    canvas.SetPenColor(high_contrast ? colors.text : kFrame);
    canvas.Rectangle(rect);
    canvas.SetFont(Font());
    SetTextColor(canvas.Handle(), ColorToRGB(Enabled() ? colors.text : clGrayText));
    RECT text = rect;
    if (pressed_) OffsetRect(&text, 1, 1);
    canvas.DrawTextIn(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (Focused()) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(canvas.Handle(), &focus);
    }
}

}  // namespace netprobe::ui
