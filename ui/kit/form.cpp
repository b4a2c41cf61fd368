#include "ui/kit/form.h"

#include "ui/kit/application.h"
#include "ui/kit/dialog_keys.h"
#include "ui/kit/modal_session.h"

namespace netprobe::ui {

namespace {

constexpr UINT kReleaseMessage = WM_APP + 0x2F0;

}  // namespace

TShiftState CurrentShiftState() {
    TShiftState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
    return state;
}

int ScreenPixelsPerInch() {
    WindowDC screen(nullptr);
    return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {}

TForm::~TForm() noexcept(false) = default;

void TForm::CreateForm(const FormArgs& given) {
    FormArgs args = given;
    BeforeCreate(args);
    center_ = args.center_on_desktop || args.center_on_screen;
    center_on_screen_ = args.center_on_screen;
    activate_ = args.activate;
    RECT rect{0, 0, args.client_width, args.client_height};
    AdjustWindowRectEx(&rect, args.style, FALSE, args.ex_style);
    WindowParams params;
    params.style = args.style;
    params.ex_style = args.ex_style;
    params.x = CW_USEDEFAULT;
    params.y = CW_USEDEFAULT;
    params.width = rect.right - rect.left;
    params.height = rect.bottom - rect.top;
    params.caption = args.caption;
    // The owner: no taskbar button of its own.
    params.parent = args.owner && IsWindow(args.owner) ? args.owner : Application().Handle();
    CreateHandle(params);
    TWinControl::SetCaption(args.caption);
    CreateComponents();
    if (args.scaled) ScaleToScreen();
    DoCreate();
}

void TForm::ScaleToScreen() {
    const int ppi = ScreenPixelsPerInch();
    if (ppi == pixels_per_inch_ || ppi <= 0) return;
    const int width = ClientWidth(), height = ClientHeight();
    ScaleControls(ppi, pixels_per_inch_);
    SetClientSize(MulDiv(width, ppi, pixels_per_inch_), MulDiv(height, ppi, pixels_per_inch_));
    pixels_per_inch_ = ppi;
}

void TForm::SetCaption(const std::string& caption) { TWinControl::SetCaption(caption); }

HWND TForm::OwnerWindow() const { return GetWindow(Handle(), GW_OWNER); }

void TForm::SetClientSize(int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, GetWindowLongA(Handle(), GWL_STYLE), FALSE, GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole desktop, not its work area: the taskbar does not move the dialog.
void TForm::CenterOnDesktop() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int x = left + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2;
    const int y = top + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Neither coordinate below 0, so the caption stays reachable on a small screen.
void TForm::CenterOnScreen() {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    SetWindowPos(Handle(), nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A form that is already visible is only brought to the front.
void TForm::Show() {
    if (Visible()) {
        if (activate_)
            BringWindowToTop(Handle());
        else
            SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    DoShow();
    if (center_on_screen_)
        CenterOnScreen();
    else if (center_)
        CenterOnDesktop();
    if (!activate_) {
        ShowWithoutActivation();
        return;
    }
    WatchDialogKeys();
    ShowWindow(Handle(), SW_SHOW);
    FocusActiveControl();
    UpdateWindow(Handle());
}

// Neither the activation nor the focus moves; a topmost form stays among the topmost.
void TForm::ShowWithoutActivation() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(Handle());
}

void TForm::SetActiveControl(TWinControl* control) {
    active_control_ = control ? control->Handle() : nullptr;
    if (Visible()) FocusActiveControl();
}

void TForm::FocusActiveControl() {
    if (active_control_ && IsChild(Handle(), active_control_) && IsWindowVisible(active_control_))
        ::SetFocus(active_control_);
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

// The modal loop: the thread's other windows are disabled until a modal result is set; a
// close that the form refuses (action None) keeps the loop going. On every way out, an error
// included, the caller holds the form again (a release that its close requested does
// nothing), the windows are enabled again (before the form hides, so that the activation
// goes back to them), the form is no longer modal, the window that was active is activated
// again and the host's thread messages are posted again. Each step may let the host handle
// its messages; none of them frees the form.
int TForm::ShowModal() {
    struct Guard {
        TForm* form;
        HWND window;
        ModalSession session;
        ~Guard() {
            form->release_ticket_ = 0;
            session.EnableWindows();
            if (IsWindow(window)) {
                form->modal_ = false;
                form->Hide();
            }
            session.End();
        }
    } guard{this, Handle(), ModalSession(Handle())};
    HWND window = Handle();
    modal_ = true;
    modal_result_ = mrNone;
    Show();
    SetForegroundWindow(window);
    MSG msg;
    while (IsWindow(window)) {
        if (modal_result_ != mrNone && CloseModal()) break;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            if (modal_result_ == mrNone) modal_result_ = mrCancel;
            break;
        }
        if (guard.session.TakeThreadMessage(msg)) continue;
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return modal_result_;
}

bool TForm::CloseModal() {
    TCloseAction action = TCloseAction::Hide;
    DoClose(action);
    switch (action) {
        case TCloseAction::None:
            modal_result_ = mrNone;
            return false;
        case TCloseAction::Free:
            Release();
            return true;
        case TCloseAction::Hide:
            return true;
    }
    return true;
}

void TForm::Close() {
    if (modal_) {
        if (modal_result_ == mrNone) modal_result_ = mrCancel;
        return;  // the modal loop asks DoClose
    }
    TCloseAction action = TCloseAction::Hide;
    DoClose(action);
    if (action == TCloseAction::None) return;
    Hide();
    if (action == TCloseAction::Free) Release();
}

void TForm::Release() {
    static LPARAM tickets = 0;
    if (!Handle()) return;
    release_ticket_ = ++tickets;
    PostMessageA(Handle(), kReleaseMessage, 0, release_ticket_);
}

// Escape cancels, as closing the window does; Enter clicks the button that has the focus and
// does nothing elsewhere (the forms have no default button).
bool TForm::DialogCommand(WORD id) {
    if (id == IDCANCEL) {
        Close();
        return true;
    }
    if (id != IDOK) return false;
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus) && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
        SendMessageA(focus, BM_CLICK, 0, 0);
    return true;
}

// Tab and Shift+Tab: the next or the previous tab stop, its text selected as the dialog
// manager does; or the control given.
void TForm::NextDialogControl(WPARAM wparam, LPARAM lparam) {
    HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0);
    if (!next || !IsChild(Handle(), next)) return;
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
    ::SetFocus(next);
}

// A key that the queue's watch handed over (dialog_keys.h), for the control with the focus.
void TForm::DialogKey(WPARAM key, LPARAM flags) {
    HWND focus = GetFocus();
    if (focus != Handle() && !IsChild(Handle(), focus)) return;
    MSG msg{focus, WM_KEYDOWN, key, flags, static_cast<DWORD>(GetMessageTime()), {}};
    IsDialogMessageA(Handle(), &msg);
}

void TForm::DoClose(TCloseAction&) {}

void TForm::KeyDown(WORD&, TShiftState) {}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {  // a key with Alt held
            WORD key = static_cast<WORD>(wparam);
            KeyDown(key, CurrentShiftState());
            if (key == 0) return 0;
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) active_control_ = focus;
                break;
            }
            DefaultProc(message, wparam, lparam);
            FocusActiveControl();
            return 0;
        case kReleaseMessage:
            if (lparam != 0 && lparam == release_ticket_ && !modal_) delete this;
            return 0;
        case WM_COMMAND:  // the dialog manager's Enter (IDOK) and Escape (IDCANCEL)
            if (HIWORD(wparam) == 0 && DialogCommand(LOWORD(wparam))) return 0;
            break;
        case kDialogKeyMessage:
            DialogKey(wparam, lparam);
            return 0;
        case WM_NEXTDLGCTL:
            NextDialogControl(wparam, lparam);
            return 0;
        default:
            break;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

}  // namespace netprobe::ui
