#pragma once
// A flat push button: a one-pixel frame and its caption, lighter while the mouse is over it,
// pressed while held; Space or Enter clicks it when it has the focus.
#include <functional>

#include "window.h"

namespace netprobe::ui {

class TFlatButton : public TWinControl {
public:
    explicit TFlatButton(const ControlArgs& args);

    TNotifyEvent OnClick;
    void Click();

    bool Hot() const { return hot_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Paint(TCanvas& canvas) override;

private:
    void SetHot(bool hot);

    bool hot_ = false;
    bool pressed_ = false;
};

}  // namespace netprobe::ui
