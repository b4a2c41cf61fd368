// The dialogs as they behave on the screen: a skin change reaches every pixel, modal windows
// stay with the window they disable, the wait window leaves the focus alone and keeps its
// shadow, and the smaller hand-overs (edit text colour, fonts, the host's event processing).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlgEx.h"
#include "ui/f_InputForm.h"
#include "ui/f_Status.h"
#include "ui/kit/application.h"

namespace netprobe::ui {
namespace {

using testing::FakeHost;
using testing::PumpUntil;
using testing::RecordingWindow;

class DialogScreenTest : public ::testing::Test {
protected:
    DialogScreenTest() { host.on_process_messages = testing::PumpMessages; }
    ~DialogScreenTest() override { HideStatus(); }

    FakeHost host;
    ScopedHost scoped{host};
};

// How many pixels of a window's rectangle show the colour on the screen.
int ScreenPixelsOf(HWND window, COLORREF color) {
    RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect{};
    GetWindowRect(window, &rect);
    testing::Capture capture(rect.right - rect.left, rect.bottom - rect.top);
    testing::CaptureScreen(window, capture);
    int count = 0;
    for (int y = 0; y < capture.height(); ++y)
        for (int x = 0; x < capture.width(); ++x) count += capture.Pixel(x, y) == color ? 1 : 0;
    return count;
}

// After the skin-change message not one pixel behind a transparent label keeps the old
// colour: the business title on the top bar, the mark text on the extended dialog's face.
TEST_F(DialogScreenTest, ASkinChangeRepaintsBehindTheTransparentLabels) {
    struct Case {
        const char* name;
        std::function<Tfrm_CustomDlg*()> create;
        std::function<TLabel*(Tfrm_CustomDlg&)> label;
        TColor FakeHost::*colour;
    };
    const Case cases[] = {
        {"base", [] { return CreateForm<Tfrm_CustomDlg>(); }, [](Tfrm_CustomDlg& d) { return d.lbBusinessName; },
         &FakeHost::top_bar},
        {"extended", [] { return CreateForm<Tfrm_CustomDlgEx>(); }, [](Tfrm_CustomDlg& d) { return d.lbMark; },
         &FakeHost::module_back},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.top_bar = 0x7FCC88;
        host.module_back = 0xF0F0F0;
        std::unique_ptr<Tfrm_CustomDlg> dlg(c.create());
        dlg->Show();
        const HWND label = c.label(*dlg)->Handle();
        const COLORREF old_colour = ColorToRGB(host.*c.colour);
        ASSERT_GT(ScreenPixelsOf(label, old_colour), 0);
        host.*c.colour = 0x3040C0;
        SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
        EXPECT_EQ(ScreenPixelsOf(label, old_colour), 0);
        EXPECT_GT(ScreenPixelsOf(label, ColorToRGB(0x3040C0)), 0);
    }
}

TEST_F(DialogScreenTest, FormsAreOwnedByTheHostsMainWindowOrTheApplicationWindow) {
    std::unique_ptr<Tfrm_CustomDlg> plain(CreateForm<Tfrm_CustomDlg>());
    EXPECT_EQ(plain->OwnerWindow(), Application().Handle());
    RecordingWindow frame("NetprobeOwnerFrame");
    host.main_frame = reinterpret_cast<HostHandle>(frame.handle());
    std::unique_ptr<Tfrm_Input> input(CreateForm<Tfrm_Input>());
    EXPECT_EQ(input->OwnerWindow(), frame.handle());
    EXPECT_FALSE(GetWindowLongA(input->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ShowStatus("a");
    EXPECT_EQ(StatusWindow()->OwnerWindow(), Application().Handle());
}

// Raised to the top while the modal loop runs, the disabled host window still lies below
// the dialog.
struct ModalProbe {
    HWND frame = nullptr;
    Tfrm_CustomDlg* dialog = nullptr;
    bool frame_disabled = false;
    bool dialog_above = false;
};
ModalProbe g_probe;

void CALLBACK RaiseFrameAndLook(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_probe.frame_disabled = !IsWindowEnabled(g_probe.frame);
    SetWindowPos(g_probe.frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (HWND w = GetWindow(g_probe.dialog->Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == g_probe.frame) g_probe.dialog_above = true;
    g_probe.dialog->SetModalResult(mrOk);
}

TEST_F(DialogScreenTest, TheModalDialogStaysAboveTheWindowItDisabled) {
    RecordingWindow frame("NetprobeModalFrame");
    ShowWindow(frame.handle(), SW_SHOW);
    host.main_frame = reinterpret_cast<HostHandle>(frame.handle());
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    g_probe = {frame.handle(), dlg.get()};
    SetTimer(nullptr, 0, 50, RaiseFrameAndLook);
    EXPECT_EQ(dlg->ShowModal(), mrOk);
    EXPECT_TRUE(g_probe.frame_disabled);
    EXPECT_TRUE(g_probe.dialog_above);
    EXPECT_TRUE(IsWindowEnabled(frame.handle()));
}

constexpr UINT kHostThreadMessage = WM_APP + 0x155;
int g_host_thread_messages = 0;  // of kHostThreadMessage, that the host got

// The host's handling of its pending messages: its own thread messages it takes itself.
void PumpAsTheHost() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!msg.hwnd && msg.message == kHostThreadMessage) {
            ++g_host_thread_messages;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A host window that handles its pending messages whenever it is enabled or activated, as
// some hosts do; it takes the place of the host's main window while it lives.
class PumpingFrame {
public:
    explicit PumpingFrame(FakeHost& host) : frame_("NetprobePumpingFrame"), host_(host) {
        SetWindowLongPtrA(frame_.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
        ShowWindow(frame_.handle(), SW_SHOW);
        SetForegroundWindow(frame_.handle());
        host_.main_frame = reinterpret_cast<HostHandle>(frame_.handle());
    }
    ~PumpingFrame() { host_.main_frame = 0; }
    HWND handle() const { return frame_.handle(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_ENABLE || message == WM_ACTIVATE) PumpAsTheHost();
        return DefWindowProcA(window, message, wparam, lparam);
    }
    RecordingWindow frame_;
    FakeHost& host_;
};

class CountedDialog : public Tfrm_CustomDlg {
public:
    ~CountedDialog() noexcept(false) override { ++destroyed; }
    static inline int destroyed = 0;
};

constexpr char kPumpedTitle[] = "netprobe pumped dialog";

// While the loop runs, the host posts a message of its thread, then the dialog is closed.
void CALLBACK PostThenClose(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA(nullptr, kPumpedTitle);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    PostThreadMessageA(GetCurrentThreadId(), kHostThreadMessage, 7, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// The release that the close requests finds the form in its caller's hands again and does
// nothing: "show modal, read the fields, destroy" frees the form once, ShowInputDialog
// hands its value back; the host is active again and gets the thread message it posted.
TEST_F(DialogScreenTest, AHostThatPumpsOnActivationNeverLosesTheFormUnderItsCaller) {
    PumpingFrame frame(host);
    CountedDialog::destroyed = 0;
    auto* dlg = CreateForm<CountedDialog>();
    dlg->SetCaption(kPumpedTitle);
    SetTimer(nullptr, 0, 30, PostThenClose);
    g_host_thread_messages = 0;
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    PumpAsTheHost();
    EXPECT_EQ(g_host_thread_messages, 1);
    EXPECT_EQ(GetActiveWindow(), frame.handle());
    EXPECT_EQ(CountedDialog::destroyed, 0);
    EXPECT_EQ(dlg->ModalResult(), mrCancel);
    delete dlg;
    testing::PumpMessages();
    EXPECT_EQ(CountedDialog::destroyed, 1);

    std::string value = "kept";
    SetTimer(nullptr, 0, 30, PostThenClose);
    EXPECT_FALSE(ShowInputDialog(kPumpedTitle, "b", value, false, false));
    EXPECT_EQ(value, "kept");
    testing::PumpMessages();
    EXPECT_EQ(FindWindowA(nullptr, kPumpedTitle), nullptr);
}

class FailingShowDialog : public Tfrm_CustomDlg {
protected:
    void DoShow() override { throw std::runtime_error("show failed"); }
};

TEST_F(DialogScreenTest, AnErrorInShowRestoresTheHostAndTheForm) {
    RecordingWindow frame("NetprobeModalFrame");
    ShowWindow(frame.handle(), SW_SHOW);
    std::unique_ptr<FailingShowDialog> dlg(CreateForm<FailingShowDialog>());
    EXPECT_THROW(dlg->ShowModal(), std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(frame.handle()));
    EXPECT_FALSE(dlg->Modal());
    EXPECT_FALSE(IsWindowVisible(dlg->Handle()));
}

// The focus and the foreground stay with the host while the wait window comes and changes
// its text; on the screen the shadow lies over the panel's last column, and stays so.
TEST_F(DialogScreenTest, TheWaitWindowLeavesTheFocusAndKeepsItsShadow) {
    RecordingWindow frame("NetprobeFocusFrame");
    ShowWindow(frame.handle(), SW_SHOW);
    SetForegroundWindow(frame.handle());
    SetFocus(frame.handle());
    testing::PumpMessages();
    const HWND foreground = GetForegroundWindow(), focus = GetFocus();
    ASSERT_EQ(focus, frame.handle());
    const COLORREF shadowed = BlendColor(clBlack, kStatusBorderColor, 128);
    for (const char* text : {"a", "b"}) {
        SCOPED_TRACE(text);
        ShowStatus(text);
        testing::PumpMessages();
        EXPECT_EQ(GetForegroundWindow(), foreground);
        EXPECT_EQ(GetFocus(), focus);
        EXPECT_EQ(testing::ScreenPixel(StatusWindow()->Handle(), 274, 11), shadowed);
    }
    EXPECT_TRUE(GetWindowLongA(StatusWindow()->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
}

// ShowProgress lets the host handle its events, twice on the first show.
TEST_F(DialogScreenTest, ShowingTheWaitWindowRunsTheHostsEventProcessing) {
    ShowStatus("a");
    EXPECT_EQ(host.process_messages_calls, 2);
}

TEST_F(DialogScreenTest, HideStatusFromTheStripsFrameEventIsSafe) {
    ShowStatus("a");
    const HWND window = StatusWindow()->Handle();
    int events = 0;
    StatusWindow()->Animator->OnFrameChange = [&](TObject*, std::int32_t) {
        ++events;
        HideStatus();
    };
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(StatusWindow(), nullptr);
    EXPECT_EQ(events, 1);
}

// The text colour, the background and the brush that a box asks its dialog for.
struct BoxColors {
    COLORREF text, back, brush;
};
BoxColors AskColors(const TWinControl& dialog, const TWinControl& box) {
    MemoryDC dc;
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box.Handle())));
    LOGBRUSH logical{};
    GetObjectA(brush, sizeof logical, &logical);
    return {GetTextColor(dc.get()), GetBkColor(dc.get()), logical.lbColor};
}

// The edit and the memo pair their text with their face: over the system's window colour
// the system's text colour, whatever the skin's font colour; over a colour of their own the
// skin's font colour. When the system's colours change, so do the brush and the text.
TEST_F(DialogScreenTest, EditsPairTheirTextWithTheirFace) {
    host.font_color = 0x2040A0;
    std::unique_ptr<Tfrm_Input> dlg(CreateForm<Tfrm_Input>());
    for (TWinControl* box : {static_cast<TWinControl*>(dlg->editInput), static_cast<TWinControl*>(dlg->memoInput)}) {
        const BoxColors c = AskColors(*dlg, *box);
        EXPECT_EQ(c.text, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(c.back, GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(c.brush, c.back);
    }
    {
        const testing::SystemColors scheme({{COLOR_WINDOW, RGB(0, 0, 0)}, {COLOR_WINDOWTEXT, RGB(255, 255, 0)}});
        const BoxColors c = AskColors(*dlg, *dlg->memoInput);
        EXPECT_EQ(c.text, RGB(255, 255, 0));
        EXPECT_EQ(c.brush, RGB(0, 0, 0));
    }
    dlg->editInput->SetColor(0xE0F0FF);
    const BoxColors c = AskColors(*dlg, *dlg->editInput);
    EXPECT_EQ(c.text, ColorToRGB(0x2040A0));
    EXPECT_EQ(c.brush, ColorToRGB(0xE0F0FF));
}

// When the font changes, the edit is given the new font while the old one still exists.
TEST_F(DialogScreenTest, AnEditGetsTheNewFontBeforeTheOldOneGoes) {
    std::unique_ptr<Tfrm_Input> dlg(CreateForm<Tfrm_Input>());
    TSkinEdit* edit = dlg->editInput;
    bool held_font_alive = true;
    auto forward = edit->Font().OnChange;
    edit->Font().OnChange = [&] {
        auto held = reinterpret_cast<HGDIOBJ>(SendMessageA(edit->Handle(), WM_GETFONT, 0, 0));
        held_font_alive = held_font_alive && GetObjectType(held) == OBJ_FONT;
        forward();
    };
    edit->Font().SetHeight(-20);
    EXPECT_TRUE(held_font_alive);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit->Handle(), WM_GETFONT, 0, 0)), edit->Font().Handle());
}

}  // namespace
}  // namespace netprobe::ui
