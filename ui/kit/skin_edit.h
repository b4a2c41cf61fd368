#pragma once
// The skinned edit and memo: system edit controls with a flat one-pixel border of their own
// (in the frame, outside the system control's drawing), an entry handler raised when they
// receive the focus, and an input-method mode and name applied right after that handler.
#include <functional>
#include <string>

#include "ui/kit/ime.h"
#include "ui/kit/window.h"

namespace netprobe::ui {

using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TCustomSkinEdit : public TWinControl {
public:
    std::string Text() const;
    void SetText(const std::string& text);

    TImeMode ImeMode() const { return ime_mode_; }
    void SetImeMode(TImeMode mode) { ime_mode_ = mode; }
    const std::string& ImeName() const { return ime_name_; }
    void SetImeName(const std::string& name) { ime_name_ = name; }

    // Raised when the control receives the focus, before the input method is applied.
    TNotifyEvent OnEnter;
    // Raised for every typed character; a handler that sets it to 0 swallows it. While a
    // handler is set the control also asks for Enter, which a dialog would take otherwise.
    TKeyPressEvent OnKeyPress;

    // The control whose caption names this one for assistive tools (its label), or none.
    void SetLabel(const TWinControl* label) { label_ = label; }

    // The one-pixel border: its colour while the control has the focus and while not.
    void SetBorderColors(TColor normal, TColor focused);
    TColor BorderColor() const { return Focused() ? focused_border_ : normal_border_; }

protected:
    TCustomSkinEdit(const ControlArgs& args, DWORD style);
    void DoEnter() override;
    // The text over the control's colour, paired as DrawColors pairs them.
    HBRUSH CtlColor(HDC dc) override;
    ColorPair SystemPair() const override { return {clWindow, clWindowText}; }
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void PaintBorder();

    TImeMode ime_mode_ = TImeMode::DontCare;
    std::string ime_name_;
    const TWinControl* label_ = nullptr;
    TColor normal_border_ = kSystemColor | COLOR_WINDOWFRAME;
    TColor focused_border_ = kSystemColor | COLOR_WINDOWFRAME;
};

class TSkinEdit : public TCustomSkinEdit {
public:
    explicit TSkinEdit(const ControlArgs& args);

    // The character shown for every character of the text; 0 shows the text itself.
    char PasswordChar() const;
    void SetPasswordChar(char value);
};

class TSkinMemo : public TCustomSkinEdit {
public:
    explicit TSkinMemo(const ControlArgs& args);
};

}  // namespace netprobe::ui
