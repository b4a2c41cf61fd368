#pragma once
// Windowed controls: a thin C++ object over an HWND, with virtual handlers behind one window
// procedure. The object owns its window (destroyed with it); the owner component owns the
// object. Child controls are laid out by their Align in the parent's client rectangle.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/kit/canvas.h"
#include "ui/kit/color.h"
#include "ui/kit/color_scheme.h"
#include "ui/kit/component.h"
#include "ui/kit/font.h"

namespace netprobe::ui {

enum class TAlign { None, Top, Bottom, Left, Right, Client };

class TWinControl;

// What a control is created with (the owner defaults to the parent).
struct ControlArgs {
    TWinControl* parent = nullptr;
    TComponent* owner = nullptr;  // nullptr: the form the parent is on
    int left = 0, top = 0, width = 0, height = 0;
    std::string caption = {};
    TAlign align = TAlign::None;
    bool visible = true;
    bool enabled = true;
    bool tab_stop = false;
    int tab_order = -1;  // -1: after the siblings already there
};

// The window to create: class, styles; a system class (EDIT) is subclassed.
struct WindowParams {
    const char* class_name = nullptr;  // nullptr: the kit's own class
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex_style = 0;
    HWND parent = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption = {};
    bool graphic = false;  // drawn beneath windowed siblings, no tab order
};

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() noexcept(false) override;

    HWND Handle() const { return handle_; }
    TWinControl* Parent() const { return parent_; }
    // The children in their order: creation order unless moved. A graphic child later in
    // the order lies over an earlier one; windowed children lie over all graphic ones.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TWinControl* Control(int index) const { return controls_[static_cast<size_t>(index)]; }
    void SetChildOrder(TWinControl* child, int index);

    // Position in the parent's client area (for a form: on the screen) and outer size.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    void SetAlign(TAlign align);
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    int TabOrder() const { return tab_order_; }
    void SetTabOrder(int order);

    std::string Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The face and text colours this control draws with (color_scheme.h): its colour and its
    // font's, paired by their source, or the system's pair of its kind under high contrast.
    virtual ColorPair DrawColors() const { return DrawingPair(color_, font_.Color(), SystemPair()); }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetParentFont(bool value);

    void Invalidate();
    void Update();  // paints the pending invalid areas now
    void Repaint() {
        Invalidate();
        Update();
    }
    // Erases and paints this control, its frame and all its children again: what a change
    // of colours that reaches into clipped children and transparent labels needs.
    void RedrawAll();
    void SetFocus();
    bool Focused() const { return handle_ && GetFocus() == handle_; }

    // The rectangle in which aligned children are placed, in client coordinates.
    virtual void AdjustClientRect(RECT& rect);
    void AlignControls();

    // Sends a message through this control's own window procedure, now.
    LRESULT Perform(UINT message, WPARAM wparam, LPARAM lparam) { return WndProc(message, wparam, lparam); }

    // Scales every font with a face of its own (and the resolution the fonts convert points
    // at) and the children's positions and sizes by m / d: a form laid out at 96 DPI on a
    // screen of another resolution.
    void ScaleControls(int m, int d);

    // Paints the client area (erase + paint) into a DC: WM_PRINTCLIENT and tests use it.
    void PaintTo(HDC dc);

protected:
    // The owner a control is created with: the one given, else the form its parent is on.
    static TComponent* OwnerFor(const ControlArgs& args);

    // Creates the window; called once by the constructors of the concrete controls. Raises
    // EOSError when there is no window: the constructor fails, and the destructor of the
    // part already made takes the control out of its parent and its owner again.
    void CreateHandle(const WindowParams& params);
    void CreateChild(const ControlArgs& args, WindowParams params);

    virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

    virtual void EraseBackground(TCanvas& canvas);
    virtual void Paint(TCanvas& canvas);
    virtual void Resized() {}
    virtual void DoEnter() {}
    virtual void FontChanged();
    // This control's position and size in its parent, scaled by m / d.
    virtual void ScaleBounds(int m, int d);
    // WM_CTLCOLOR* for this control, asked by its parent: sets the DC's colours and returns
    // the background brush, or nullptr for the system's colours.
    virtual HBRUSH CtlColor(HDC dc);
    // The system's face and text colours for this kind of control.
    virtual ColorPair SystemPair() const { return {clBtnFace, clBtnText}; }
    // A solid brush in the face colour given, kept while that colour stays what it is.
    HBRUSH FaceBrush(TColor face);
    // The system's colours or scheme changed: brushes are made again, and every pixel drawn.
    void ColorsChanged();

    // Paints the parent under this control into the DC, in this control's coordinates.
    void PaintParentBackground(HDC dc);

    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    void AttachParent(TWinControl* parent);
    void DetachParent();
    void PaintMessage(HDC given);
    void ApplyZOrder();
    void Detach();
    friend RECT WindowRectInParent(HWND window);

    HWND handle_ = nullptr;
    WNDPROC system_proc_ = nullptr;  // the original procedure of a subclassed system control
    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> controls_;  // children in their order
    std::vector<TWinControl*> tab_list_;  // windowed children in tab order
    std::string caption_;
    TAlign align_ = TAlign::None;
    TColor color_ = clBtnFace;
    Brush color_brush_;
    COLORREF color_brush_rgb_ = 0;
    TFont font_;
    bool parent_font_ = true;
    int tab_order_ = -1;
    bool aligning_ = false;
    bool graphic_ = false;
    bool inheriting_font_ = false;  // the font is being copied from the parent
};

}  // namespace netprobe::ui
