#pragma once
// The skinned edit and memo: system edit controls with a flat border, an entry handler
// raised when they receive the focus, and an input-method mode and name applied right after
// that handler.
#include <functional>
#include <string>

#include "ime.h"
#include "window.h"

namespace netprobe::ui {

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

protected:
    TCustomSkinEdit(const ControlArgs& args, DWORD style);
    void DoEnter() override;

private:
    TImeMode ime_mode_ = TImeMode::DontCare;
    std::string ime_name_;
};

class TSkinEdit : public TCustomSkinEdit {
public:
    explicit TSkinEdit(const ControlArgs& args);
};

class TSkinMemo : public TCustomSkinEdit {
public:
    explicit TSkinMemo(const ControlArgs& args);
};

}  // namespace netprobe::ui
