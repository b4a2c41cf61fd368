#include "ui/kit/window.h"

#include <algorithm>
#include <exception>

#include "ui/kit/application.h"
#include "ui/kit/gdi.h"
#include "ui/kit/os_error.h"
#include "ui/kit/window_class.h"

namespace netprobe::ui {

namespace {

constexpr const char* kKitClass = kKitClassName;
constexpr const char* kSelfProp = "NetprobeControlSelf";

}  // namespace

TComponent* TWinControl::OwnerFor(const ControlArgs& args) {
    if (args.owner) return args.owner;
    TWinControl* top = args.parent;
    while (top && top->parent_) top = top->parent_;
    return top;
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!inheriting_font_) parent_font_ = false;
        FontChanged();
    };
}

TWinControl::~TWinControl() noexcept(false) {
    for (TWinControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    tab_list_.clear();
    DetachParent();
    if (handle_) DestroyWindow(handle_);  // WM_NCDESTROY detaches the object
}

void TWinControl::CreateHandle(const WindowParams& params) {
    const bool kit = params.class_name == nullptr;
    const char* class_name = kit ? kKitClass : params.class_name;
    if (kit) RegisterKitClass(class_name, StaticProc, CS_DBLCLKS);
    HWND window =
        CreateWindowExA(params.ex_style, class_name, params.caption.c_str(), params.style, params.x, params.y,
                        params.width, params.height, params.parent, nullptr, KitInstance(), kit ? this : nullptr);
    if (!window) RaiseLastOSError(std::string("CreateWindowExA(") + class_name + ")");
    if (!kit) {
        handle_ = window;
        SetPropA(window, kSelfProp, this);
        system_proc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StaticProc)));
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    }
}

void TWinControl::CreateChild(const ControlArgs& args, WindowParams params) {
    caption_ = args.caption;
    AttachParent(args.parent);
    params.parent = parent_ ? parent_->Handle() : nullptr;
    params.x = args.left;
    params.y = args.top;
    params.width = args.width;
    params.height = args.height;
    params.caption = args.caption;
    if (args.visible) params.style |= WS_VISIBLE;
    if (!args.enabled) params.style |= WS_DISABLED;
    if (args.tab_stop) params.style |= WS_TABSTOP;
    graphic_ = params.graphic;
    CreateHandle(params);
    if (parent_ && graphic_)
        parent_->ApplyZOrder();
    else if (parent_)
        SetTabOrder(args.tab_order >= 0 ? args.tab_order : parent_->ControlCount());
    if (args.align != TAlign::None) SetAlign(args.align);
}

void TWinControl::AttachParent(TWinControl* parent) {
    parent_ = parent;
    if (!parent_) return;
    parent_->controls_.push_back(this);
    inheriting_font_ = true;
    font_.Assign(parent_->font_);
    inheriting_font_ = false;
}

void TWinControl::DetachParent() {
    if (!parent_) return;
    for (auto* list : {&parent_->controls_, &parent_->tab_list_})
        list->erase(std::remove(list->begin(), list->end(), this), list->end());
    parent_ = nullptr;
}

void TWinControl::Detach() {
    RemovePropA(handle_, kSelfProp);
    if (system_proc_) SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system_proc_));
    handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<TWinControl*>(GetPropA(window, kSelfProp));
    if (!self && message == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->handle_ = window;
        SetPropA(window, kSelfProp, self);
    }
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    LRESULT result = 0;
    try {
        result = self->WndProc(message, wparam, lparam);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    // A form that released itself is gone by now; it never handles WM_NCDESTROY here.
    if (message == WM_NCDESTROY) self->Detach();
    return result;
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (system_proc_) return CallWindowProcA(system_proc_, handle_, message, wparam, lparam);
    return DefWindowProcA(handle_, message, wparam, lparam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND: {
            if (system_proc_) break;
            SavedDC saved(reinterpret_cast<HDC>(wparam));
            TCanvas canvas(reinterpret_cast<HDC>(wparam));
            EraseBackground(canvas);
            return 1;
        }
        case WM_PAINT:
            if (system_proc_) break;
            PaintMessage(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_PRINTCLIENT:
            if (system_proc_) break;
            PaintTo(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_SIZE: {
            LRESULT result = DefaultProc(message, wparam, lparam);
            AlignControls();
            Resized();
            return result;
        }
        case WM_SETFOCUS:
            DoEnter();
            break;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
        case WM_SETTINGCHANGE:  // among others, the high-contrast scheme turned on or off
            if (!parent_) ColorsChanged();
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {  // a read-only or disabled edit asks with the latter
            auto* child = static_cast<TWinControl*>(GetPropA(reinterpret_cast<HWND>(lparam), kSelfProp));
            if (child && child->parent_ == this)
                if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wparam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        }
        default:
            break;
    }
    return DefaultProc(message, wparam, lparam);
}

void TWinControl::PaintMessage(HDC given) {
    if (given) {
        SavedDC saved(given);
        TCanvas canvas(given);
        Paint(canvas);
        return;
    }
    PaintDC dc(handle_);
    TCanvas canvas(dc.get());
    Paint(canvas);
}

void TWinControl::PaintTo(HDC dc) {
    SavedDC saved(dc);
    {
        TCanvas canvas(dc);
        EraseBackground(canvas);
    }
    TCanvas canvas(dc);
    Paint(canvas);
}

void TWinControl::EraseBackground(TCanvas& canvas) {
    RECT rect;
    GetClientRect(handle_, &rect);
    canvas.SetBrushColor(DrawColors().face);
    canvas.FillRect(rect);
}

void TWinControl::Paint(TCanvas&) {}

void TWinControl::PaintParentBackground(HDC dc) {
    if (!parent_ || !parent_->Handle()) return;
    SavedDC saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - Left(), origin.y - Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent_->ClientWidth(), parent_->ClientHeight());
    parent_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TWinControl::FontChanged() {
    if (!handle_) return;
    if (system_proc_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    for (TWinControl* child : controls_) {
        if (!child->parent_font_) continue;
        child->inheriting_font_ = true;
        child->font_.Assign(font_);
        child->inheriting_font_ = false;
    }
    Invalidate();
}

void TWinControl::SetParentFont(bool value) {
    parent_font_ = value;
    if (value && parent_) {
        inheriting_font_ = true;
        font_.Assign(parent_->font_);
        inheriting_font_ = false;
    }
}

RECT WindowRectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int TWinControl::Left() const { return WindowRectInParent(handle_).left; }
int TWinControl::Top() const { return WindowRectInParent(handle_).top; }
int TWinControl::Width() const {
    RECT r = WindowRectInParent(handle_);
    return r.right - r.left;
}
int TWinControl::Height() const {
    RECT r = WindowRectInParent(handle_);
    return r.bottom - r.top;
}
int TWinControl::ClientWidth() const {
    RECT r{};
    GetClientRect(handle_, &r);
    return r.right;
}
int TWinControl::ClientHeight() const {
    RECT r{};
    GetClientRect(handle_, &r);
    return r.bottom;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (align_ != TAlign::None && parent_) parent_->AlignControls();
}

void TWinControl::ScaleControls(int m, int d) {
    if (!parent_font_ || !parent_) {  // the others take the scaled font from their parent
        font_.SetPixelsPerInch(MulDiv(font_.PixelsPerInch(), m, d));
        font_.SetHeight(MulDiv(font_.Height(), m, d));
    }
    for (TWinControl* child : std::vector<TWinControl*>(controls_)) {
        child->ScaleControls(m, d);
        child->ScaleBounds(m, d);
    }
}

void TWinControl::ScaleBounds(int m, int d) {
    const RECT r = WindowRectInParent(handle_);
    SetBounds(MulDiv(r.left, m, d), MulDiv(r.top, m, d), MulDiv(r.right - r.left, m, d),
              MulDiv(r.bottom - r.top, m, d));
}

void TWinControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->AlignControls();
}

bool TWinControl::Visible() const { return (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }
void TWinControl::SetVisible(bool visible) {
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_ && align_ != TAlign::None) parent_->AlignControls();
}
bool TWinControl::Enabled() const { return IsWindowEnabled(handle_) != 0; }
void TWinControl::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }

void TWinControl::SetTabOrder(int order) {
    if (!parent_ || graphic_) return;
    auto& tabs = parent_->tab_list_;
    tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
    order = std::clamp(order, 0, static_cast<int>(tabs.size()));
    tabs.insert(tabs.begin() + order, this);
    parent_->ApplyZOrder();
}

void TWinControl::SetChildOrder(TWinControl* child, int index) {
    auto it = std::find(controls_.begin(), controls_.end(), child);
    if (it == controls_.end()) return;
    controls_.erase(it);
    index = std::clamp(index, 0, static_cast<int>(controls_.size()));
    controls_.insert(controls_.begin() + index, child);
    ApplyZOrder();
}

// Numbers the windowed children in tab order and stacks their windows the same way, which
// is the order in which the dialog manager moves the focus with Tab. Graphic controls
// (labels, bevels, shapes) take no part and lie beneath them, a later one in the children's
// order over an earlier one.
void TWinControl::ApplyZOrder() {
    HWND previous = HWND_TOP;
    auto place = [&previous](TWinControl* c) {
        SetWindowPos(c->handle_, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = c->handle_;
    };
    int next = 0;
    for (TWinControl* c : tab_list_) {
        c->tab_order_ = next++;
        place(c);
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->graphic_) place(*it);
}

void TWinControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (handle_) SetWindowTextA(handle_, caption.c_str());
    Invalidate();
}

void TWinControl::SetColor(TColor color) {
    color_ = color;
    color_brush_.Reset();
    Invalidate();
}

HBRUSH TWinControl::CtlColor(HDC) { return nullptr; }

HBRUSH TWinControl::FaceBrush(TColor face) {
    const COLORREF rgb = ColorToRGB(face);
    if (!color_brush_ || rgb != color_brush_rgb_) {
        color_brush_.Reset(CreateSolidBrush(rgb));
        color_brush_rgb_ = rgb;
    }
    return color_brush_.get();
}

// Top-level windows alone are told; the children hear it from them, system controls too.
void TWinControl::ColorsChanged() {
    color_brush_.Reset();
    for (TWinControl* child : controls_) {
        if (child->system_proc_) child->DefaultProc(WM_SYSCOLORCHANGE, 0, 0);
        child->ColorsChanged();
    }
    if (!parent_) RedrawAll();
}

void TWinControl::RedrawAll() {
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE | RDW_FRAME);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetFocus() {
    if (handle_) ::SetFocus(handle_);
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls() {
    if (aligning_ || !handle_) return;
    aligning_ = true;
    RECT r;
    GetClientRect(handle_, &r);
    AdjustClientRect(r);
    auto place = [](TWinControl* c, int x, int y, int w, int h) {
        SetWindowPos(c->handle_, nullptr, x, y, std::max(w, 0), std::max(h, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (TAlign kind : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (TWinControl* c : controls_) {
            if (c->align_ != kind || !c->Visible()) continue;
            const int w = c->Width(), h = c->Height();
            switch (kind) {
                case TAlign::Top:
                    place(c, r.left, r.top, r.right - r.left, h);
                    r.top += h;
                    break;
                case TAlign::Bottom:
                    place(c, r.left, r.bottom - h, r.right - r.left, h);
                    r.bottom -= h;
                    break;
                case TAlign::Left:
                    place(c, r.left, r.top, w, r.bottom - r.top);
                    r.left += w;
                    break;
                case TAlign::Right:
                    place(c, r.right - w, r.top, w, r.bottom - r.top);
                    r.right -= w;
                    break;
                case TAlign::Client:
                    place(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
                    break;
                case TAlign::None:
                    break;
            }
        }
    }
    aligning_ = false;
}

}  // namespace netprobe::ui
