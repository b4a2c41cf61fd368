// Pictures of the wait window, the input dialog (single-line, masked, multi-line, with a long
// title) and the extended dialog for people to look at, written as BMP files when
// NETPROBE_SCREENSHOT_DIR names a folder. The wait window is taken from the screen; the
// dialogs are the client area with every window of it painted into a memory DC.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "core/texts.h"
#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlgEx.h"
#include "ui/f_InputForm.h"
#include "ui/f_Status.h"

namespace netprobe::ui {
namespace {

using testing::Capture;
using testing::FakeHost;

void Save(const Capture& capture, const char* name) {
    const char* dir = std::getenv("NETPROBE_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    CreateDirectoryA(dir, nullptr);
    EXPECT_TRUE(capture.SaveBmp(std::string(dir) + "/" + name + ".bmp"));
}

// The wait window as it is on the screen, its strip running; the shadow over the panel's
// last row and column survives the panel's paint and the repaint of a new text.
TEST(Screenshot, StatusWindow) {
    FakeHost host;
    ScopedHost scoped(host);
    host.on_process_messages = testing::PumpMessages;
    // A white window where the wait window comes, so that the shadow falls on white.
    const RECT screen = testing::ScreenRect();
    const int cx = (screen.left + screen.right) / 2, cy = (screen.top + screen.bottom) / 2;
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> white(
        CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, cx - 200, cy - 100, 400,
                        200, nullptr, nullptr, nullptr, nullptr),
        &DestroyWindow);
    testing::PumpUntil([] { return false; }, 3);
    ShowStatus("...");
    ShowStatus(texts::UpdateServerTesting());
    Tfrm_Status* status = StatusWindow();
    ASSERT_NE(status, nullptr);
    testing::PumpUntil([&] { return status->Animator->LastFrame() >= 1; }, 100);

    Capture capture(status->ClientWidth(), status->ClientHeight());
    testing::CaptureScreen(status->Handle(), capture);
    EXPECT_EQ(capture.Pixel(274, 11), BlendColor(clBlack, kStatusBorderColor, 128));  // the shadow's first ring
    EXPECT_EQ(capture.Pixel(100, 69), RGB(127, 127, 127));             // below the panel, over the white window
    EXPECT_EQ(capture.Pixel(100, 0), ColorToRGB(kStatusBorderColor));  // the panel's top border
    EXPECT_EQ(capture.Pixel(100, 30), ColorToRGB(kStatusColor));
    EXPECT_NE(capture.Pixel(90 + 40, 48 + 3), ColorToRGB(kStatusColor));  // the strip
    Save(capture, "status_window");
    HideStatus();
}

// An input dialog shown modelessly, as ShowInputDialog would show it.
void CaptureInput(const char* name, const std::string& value, bool password, bool memo,
                  const std::string& title = texts::InputDialogTitle()) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    dialog->IsMemo = memo;
    dialog->IsPassword = password;
    dialog->Value = value;
    dialog->SetCaptions("netprobe", title);
    dialog->Show();
    testing::PumpUntil([] { return false; }, 5);
    Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
    testing::RenderClientTree(dialog->Handle(), capture);
    EXPECT_EQ(capture.Pixel(300, 0), ColorToRGB(host.top_bar));
    EXPECT_EQ(capture.height(), memo ? 186 : 115);
    Save(capture, name);
}

TEST(Screenshot, InputDialogs) {
    CaptureInput("input_single", "proxy.example.com", false, false);
    CaptureInput("input_password", "secret-password", true, false);
    CaptureInput("input_memo", "first line\r\nsecond line\r\nthird line", true, true);
    // 请输入代理服务器地址: a title longer than the design's four characters.
    CaptureInput("input_long_title", "proxy.example.com", false, false,
                 "\xC7\xEB\xCA\xE4\xC8\xEB\xB4\xFA\xC0\xED\xB7\xFE\xCE\xF1\xC6\xF7\xB5\xD8\xD6\xB7");
}

// How many pixels of a rectangle of the capture are light (every channel from 160 up), and
// how many dark (every channel below 96).
std::pair<int, int> LightAndDark(const Capture& capture, const RECT& r) {
    std::pair<int, int> count{0, 0};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF p = capture.Pixel(x, y);
            const int low = std::min({GetRValue(p), GetGValue(p), GetBValue(p)});
            const int high = std::max({GetRValue(p), GetGValue(p), GetBValue(p)});
            count.first += low >= 160 ? 1 : 0;
            count.second += high < 96 ? 1 : 0;
        }
    return count;
}

// The input dialog in a high-contrast black scheme (imposed: Wine never reports one): the
// system's pair everywhere, the title, the typed text and both captions in white on black.
TEST(Screenshot, InputDialogInHighContrast) {
    FakeHost host;
    ScopedHost scoped(host);
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const testing::SystemColors scheme({{COLOR_WINDOW, black},
                                        {COLOR_WINDOWTEXT, white},
                                        {COLOR_BTNFACE, black},
                                        {COLOR_BTNTEXT, white},
                                        {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
                                        {COLOR_HIGHLIGHTTEXT, black},
                                        {COLOR_WINDOWFRAME, white},
                                        {COLOR_DESKTOP, white}});
    ImposeHighContrast(true);
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    dialog->Value = "proxy.example.com";
    dialog->SetCaptions("netprobe", texts::InputDialogTitle());
    dialog->Show();
    testing::PumpUntil([] { return false; }, 5);
    Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
    testing::RenderClientTree(dialog->Handle(), capture);
    ImposeHighContrast(std::nullopt);
    const RECT title{15, 12, 70, 24}, text{18, 50, 120, 64}, confirm{170, 89, 235, 109}, cancel{250, 89, 315, 109};
    for (const RECT& r : {title, text, confirm, cancel}) {
        SCOPED_TRACE(r.left);
        const auto [light, dark] = LightAndDark(capture, r);
        EXPECT_GT(light, 10);
        EXPECT_GT(dark, 10);
    }
    Save(capture, "input_high_contrast");
}

TEST(Screenshot, ExtendedDialog) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_CustomDlgEx> dialog(CreateForm<Tfrm_CustomDlgEx>());
    dialog->SetCaption("netprobe - Tfrm_CustomDlgEx");
    dialog->sBtnClose->OnClick = [&](TObject*) { dialog->Close(); };
    dialog->Show();
    SendMessageA(dialog->Handle(), MSG_SKIN_CHANGED, 0, 0);
    testing::PumpUntil([] { return false; }, 5);
    Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
    testing::RenderClientTree(dialog->Handle(), capture);
    EXPECT_EQ(capture.Pixel(300, 0), ColorToRGB(host.module_back));  // no top bar
    Save(capture, "custom_dlg_ex");
}

}  // namespace
}  // namespace netprobe::ui
