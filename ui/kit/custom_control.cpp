#include "ui/kit/custom_control.h"

#include <windowsx.h>

namespace netprobe::ui {

void TCustomControl::Click() {
    if (OnClick) {
        TNotifyEvent handler = OnClick;
        handler(this);
    }
}

void TCustomControl::DblClick() {
    if (OnDblClick) {
        TNotifyEvent handler = OnDblClick;
        handler(this);
    }
}

bool TCustomControl::DoContextPopup(POINT mouse_pos) {
    bool handled = false;
    if (OnContextPopup) {
        TContextPopupEvent handler = OnContextPopup;
        handler(this, mouse_pos, handled);
    }
    return handled;
}

// A click needs the release on the control too; the second press of a double click is no
// click of its own.
void TCustomControl::ButtonUp(LPARAM lparam) {
    if (!pressed_) return;
    pressed_ = false;
    ReleaseCapture();
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    RECT rect;
    GetClientRect(Handle(), &rect);
    if (PtInRect(&rect, at)) Click();
}

LRESULT TCustomControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(Handle());
            break;
        case WM_LBUTTONUP:
            ButtonUp(lparam);
            break;
        case WM_LBUTTONDBLCLK:
            DblClick();
            break;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            break;
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (at.x != -1 || at.y != -1) ScreenToClient(Handle(), &at);
            if (DoContextPopup(at)) return 0;
            break;
        }
        default:
            break;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

}  // namespace netprobe::ui
