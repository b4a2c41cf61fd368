#pragma once
// A flat push button: a one-pixel frame and its caption, lighter while the mouse is over it,
// pressed while held; Space or Enter clicks it when it has the focus (pressed and released
// on the button: a key pressed elsewhere that moved the focus here does not), and so does
// BM_CLICK. Assistive tools read it as a push button named by its caption.
#include <functional>

#include "ui/kit/window.h"

namespace netprobe::ui {

class TFlatButton : public TWinControl {
public:
    explicit TFlatButton(const ControlArgs& args);

    TNotifyEvent OnClick;
    void Click();

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Paint(TCanvas& canvas) override;

private:
    void SetHot(bool hot);

    bool hot_ = false;
    bool pressed_ = false;
    bool key_down_ = false;  // Space or Enter went down while the button had the focus
};

}  // namespace netprobe::ui
