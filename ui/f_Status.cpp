#include "ui/f_Status.h"

#include <algorithm>
#include <utility>

#include "core/texts.h"
#include "ui/f_Status_Frames.h"
#include "ui/kit/bitmap.h"
#include "ui/kit/gdi.h"
#include "ui/kit/kit_release.h"

namespace netprobe::ui {

Tfrm_Status::Tfrm_Status(TComponent* owner) : TForm(owner) {}

Tfrm_Status::~Tfrm_Status() noexcept(false) = default;

FormArgs Tfrm_Status::DefaultFormArgs() const {
    FormArgs args;
    args.client_width = 278;
    args.client_height = 73;
    // Clips its children, so that repainting the window leaves the panel's pixels (and the
    // shadow over them) alone; never activated, so the focus stays where it was.
    args.style = WS_POPUP | WS_CLIPCHILDREN;
    args.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT | WS_EX_NOACTIVATE;
    args.center_on_screen = true;
    args.activate = false;
    args.scaled = true;
    return args;
}

void Tfrm_Status::CreateComponents() {
    SetColor(kStatusColor);
    Font().SetName(texts::FontSong());
    Font().SetHeight(-11);
    Font().SetCharset(GB2312_CHARSET);
    Font().SetColor(clWindowText);

    ImageListAff = new TImageList(this, kProgressFrameWidth, kProgressFrameHeight);
    ImageListAff->SetDrawingStyle(TDrawingStyle::Transparent);
    AddProgressFrames(*ImageListAff);

    Panel1 = new TVexoPanelBox({.parent = this, .left = 0, .top = 0, .width = 275, .height = 69, .tab_order = 0});
    Panel1->SetHasBorder(true);
    Panel1->SetBorderColor(kStatusBorderColor);

    lblStatus = new TLabel({.parent = Panel1, .left = 12, .top = 17, .width = 251, .height = 25}, TLabelSize::Fixed);
    lblStatus->SetWordWrap(true);
    lblStatus->Font().SetName(texts::FontSong());
    lblStatus->Font().SetHeight(-12);
    lblStatus->Font().SetCharset(GB2312_CHARSET);
    lblStatus->Font().SetColor(clWindowText);
}

// The window asks the host for its frame colour, yet keeps its own. It never erases its
// background: the strip that the panel leaves uncovered keeps what lay behind the window,
// and the shadow is blended over that.
void Tfrm_Status::FormCreate(TObject*) {
    PaintCount = 0;
    ScaleProgressFrames();
    if (Host().gclFrameBackColor() != 0) SetColor(kStatusColor);
    Panel1->SetColor(Color());     // the panel takes the form's colour,
    lblStatus->SetColor(Color());  // the opaque label the panel's
}

// The strip is laid out at 96 DPI like the rest: at another resolution its frames are made
// again at the window's scale.
void Tfrm_Status::ScaleProgressFrames() {
    const int width = Scaled(kProgressFrameWidth), height = Scaled(kProgressFrameHeight);
    if (ImageListAff->Width() == width && ImageListAff->Height() == height) return;
    ImageListAff->SetSize(width, height);
    AddProgressFrames(*ImageListAff);
}

// Until the shadow is drawn, the strip that the panel leaves uncovered shows the screen as it
// was under the window, so the shadow is blended over what lies behind; afterwards nothing
// is erased, and the blended pixels stay.
void Tfrm_Status::EraseBackground(TCanvas& canvas) {
    if (PaintCount == 0 && backdrop_.Width() > 0)
        BitBlt(canvas.Handle(), 0, 0, backdrop_.Width(), backdrop_.Height(), backdrop_.DC(), 0, 0, SRCCOPY);
}

void Tfrm_Status::FormShow(TObject*) {
    TakeBackdrop();
    ShowProgress(true);
}

// Where the window is about to show: centred on the screen, as Show places it.
void Tfrm_Status::TakeBackdrop() {
    const int w = ClientWidth(), h = ClientHeight();
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2);
    backdrop_.SetSize(w, h);
    WindowDC screen(nullptr);
    if (screen.get()) BitBlt(backdrop_.DC(), 0, 0, w, h, screen.get(), x, y, SRCCOPY);
}

void Tfrm_Status::CreateAnimator() {
    Animator = new TVexoAnimator({.parent = Panel1, .owner = Panel1, .visible = false});
    Animator->SetAnimate(false);
    Animator->SetBounds(0, 0, 0, 0);
    Animator->SetImageList(ImageListAff);
    Animator->SetDelay(50);
    Animator->SetTransparent(true);
}

void Tfrm_Status::ShowProgress(bool active) {
    if (!Animator) CreateAnimator();
    Animator->SetVisible(active);
    Host().ProcessMessages();
    if (active) {
        // Centred in the panel (90 at 96 DPI), below the text.
        const int width = ImageListAff->Width(), height = ImageListAff->Height();
        Animator->SetBounds((Panel1->Width() - width) / 2, Scaled(48), width, height);
    }
    Host().ProcessMessages();
    Animator->SetAnimate(active);
}

// The shadow is blended over the pixels already there, so it is drawn once only; a paint
// that fails on the way tries again next time. On the screen the window clips its children,
// so the panel is painted first and the shadow then blended through a device context that
// reaches over the panel's last row and column.
void Tfrm_Status::FormPaint(TObject*, TCanvas& canvas) {
    if (PaintCount != 0) return;
    try {
        if (WindowFromDC(canvas.Handle()) == Handle()) {
            Panel1->Update();
            ChildrenDC dc(Handle());
            if (!dc.get()) return;
            BlendShadow(dc.get());
        } else {
            BlendShadow(canvas.Handle());
        }
        ++PaintCount;
    } catch (...) {
    }
}

// Blended in a copy of the client area: reading the screen pixel by pixel is slow.
void Tfrm_Status::BlendShadow(HDC dc) {
    RECT bounds{Panel1->Left(), Panel1->Top(), Panel1->Left() + Panel1->Width(), Panel1->Top() + Panel1->Height()};
    const int w = ClientWidth(), h = ClientHeight();
    TBitmap work;
    work.SetSize(w, h);
    BitBlt(work.DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    DrawShadow(work.Canvas(), bounds, Scaled(kStatusShadowDepth), clBlack);
    BitBlt(dc, 0, 0, w, h, work.DC(), 0, 0, SRCCOPY);
}

// The module's one wait window. ShowStatus lets the application handle messages while it
// shows the window; a HideStatus that comes from one of them waits until ShowStatus is done
// with the window, instead of destroying it underneath.
namespace {

Tfrm_Status* g_status = nullptr;
int g_showing = 0;
bool g_hide_pending = false;

// A window still up when the module is unloaded goes with it, before the application window
// that runs its timers. One of another thread can only be left to the kit.
void ReleaseStatus() {
    if (!g_status) return;
    HWND window = g_status->Handle();
    if (window && GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
    try {
        delete std::exchange(g_status, nullptr);
    } catch (...) {
    }
}

class StatusRelease {
public:
    StatusRelease() { AtKitRelease(&ReleaseStatus); }
    StatusRelease(const StatusRelease&) = delete;
    StatusRelease& operator=(const StatusRelease&) = delete;
};
StatusRelease g_release;

class ShowingScope {
public:
    ShowingScope() { ++g_showing; }
    ~ShowingScope() noexcept(false) {
        if (--g_showing == 0 && g_hide_pending) {
            g_hide_pending = false;
            HideStatus();
        }
    }
    ShowingScope(const ShowingScope&) = delete;
    ShowingScope& operator=(const ShowingScope&) = delete;
};

}  // namespace

void ShowStatus(const std::string& text) {
    g_hide_pending = false;
    if (!g_status) g_status = CreateForm<Tfrm_Status>();
    Tfrm_Status* window = g_status;
    ShowingScope showing;
    window->Show();
    window->lblStatus->SetCaption(text);
    window->Repaint();
}

void HideStatus() {
    if (!g_status) return;
    if (g_showing > 0) {
        g_hide_pending = true;
        return;
    }
    Tfrm_Status* window = std::exchange(g_status, nullptr);
    window->Close();
    // From the strip's own frame event the animator is still at work: the window goes once
    // the message being handled is done.
    if (window->Animator && window->Animator->InFrameChange()) {
        window->Release();
        return;
    }
    delete window;
}

Tfrm_Status* StatusWindow() { return g_status; }

}  // namespace netprobe::ui
