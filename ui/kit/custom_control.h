#pragma once
// A windowed control that draws itself and raises the mouse events of a control: a click
// (the left button pressed and released on it), a double click, and a request for its
// context menu.
#include <windows.h>

#include <functional>

#include "ui/kit/window.h"

namespace netprobe::ui {

// The position is in client coordinates, (-1, -1) when the menu key asked; a handler that
// sets `handled` keeps the request from going on to the parent.
using TContextPopupEvent = std::function<void(TObject* sender, POINT mouse_pos, bool& handled)>;

class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TContextPopupEvent OnContextPopup;

protected:
    virtual void Click();
    virtual void DblClick();
    // True when a handler took the request.
    virtual bool DoContextPopup(POINT mouse_pos);
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void ButtonUp(LPARAM lparam);

    bool pressed_ = false;  // the left button went down on the control
};

}  // namespace netprobe::ui
