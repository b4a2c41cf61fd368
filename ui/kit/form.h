#pragma once
// Top-level forms: creation in two steps (the object, then its window, components and
// creation handler, so that a derived form's overrides take part), show, show-modal with its
// own message loop, close with a close action, key-down handling.
#include <windows.h>

#include <memory>
#include <utility>

#include "ui/kit/window.h"

namespace netprobe::ui {

enum class TCloseAction { None, Hide, Free };

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// Shift state of a key message.
enum TShift : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;
TShiftState CurrentShiftState();

// The screen's logical resolution (LOGPIXELSY): 96 at 100 %, 144 at 150 %.
int ScreenPixelsPerInch();

// How a form's window is made.
struct FormArgs {
    int client_width = 300;
    int client_height = 200;
    std::string caption;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD ex_style = WS_EX_CONTROLPARENT;
    bool center_on_desktop = true;  // the whole desktop, all screens, taskbar included
    bool center_on_screen = false;  // the primary screen instead
    // Shown without taking the activation (and the focus) from the window that has it.
    bool activate = true;
    // Laid out at 96 DPI: scaled with its fonts to the screen's resolution when created.
    bool scaled = false;
    // The window that owns the form's from its creation on; nullptr: the application window.
    HWND owner = nullptr;
};

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner = nullptr);
    ~TForm() noexcept(false) override;

    // Creates the window, then the components (CreateComponents), then runs DoCreate.
    void CreateForm(const FormArgs& args);
    // What CreateForm<T> makes the window with.
    virtual FormArgs DefaultFormArgs() const { return {}; }

    void Show();
    void Hide();
    int ShowModal();
    void Close();
    // Frees the form once the message being handled (and those queued before) are done,
    // unless its caller holds it again by then: a release requested while the form is modal
    // does nothing once ShowModal has returned, and the caller frees the form.
    void Release();

    bool Modal() const { return modal_; }
    int ModalResult() const { return modal_result_; }
    void SetModalResult(int result) { modal_result_ = result; }
    void SetClientSize(int width, int height);
    // The resolution the form is laid out for (96, or the screen's when it was scaled), and
    // a design length in pixels at that resolution.
    int PixelsPerInch() const { return pixels_per_inch_; }
    int Scaled(int length) const { return MulDiv(length, pixels_per_inch_, 96); }
    // The control that has the focus while the form is active: focused now if the form is
    // visible, else when it is shown; focused again whenever the form is activated.
    void SetActiveControl(TWinControl* control);
    void SetCaption(const std::string& caption) override;
    // The window that owns this form's, given when it was created (FormArgs::owner, else the
    // application window). An owned window has no taskbar button and lies above its owner.
    HWND OwnerWindow() const;

protected:
    // Runs first in CreateForm, before the window exists: what the window is made with may
    // still change.
    virtual void BeforeCreate(FormArgs&) {}
    virtual void CreateComponents() {}
    virtual void DoCreate() {}
    // Runs when a hidden form is about to be shown, before it is centred.
    virtual void DoShow() {}
    virtual void DoClose(TCloseAction& action);
    virtual void KeyDown(WORD& key, TShiftState shift);

    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void CenterOnDesktop();
    void CenterOnScreen();
    bool CloseModal();
    void ShowWithoutActivation();
    void ScaleToScreen();

    void FocusActiveControl();
    bool DialogCommand(WORD id);
    void NextDialogControl(WPARAM wparam, LPARAM lparam);
    void DialogKey(WPARAM key, LPARAM flags);

    bool center_ = true;
    bool center_on_screen_ = false;
    bool activate_ = true;
    int pixels_per_inch_ = 96;
    HWND active_control_ = nullptr;
    bool modal_ = false;
    int modal_result_ = mrNone;
    LPARAM release_ticket_ = 0;  // of the release posted last; 0: none is to run
};

// new T(args...), then its window and components; the form belongs to the caller until a
// close with the action Free releases it. A form whose creation raises an error is freed.
template <class T, class... A>
T* CreateForm(A&&... args) {
    std::unique_ptr<T> form(new T(std::forward<A>(args)...));
    form->CreateForm(form->DefaultFormArgs());
    return form.release();
}

}  // namespace netprobe::ui
