// A picture of the base dialog for people to look at: shown on the (virtual) screen, copied
// from there, and written as a BMP when NETPROBE_SCREENSHOT_DIR names a folder. The pixels
// checked are the ones the dialog's frame puts there.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "f_CustomDlg.h"
#include "fake_host.h"
#include "ui_test_support.h"

namespace netprobe::ui {
namespace {

using testing::Capture;
using testing::FakeHost;

std::string ScreenshotDir() {
    const char* dir = std::getenv("NETPROBE_SCREENSHOT_DIR");
    return dir ? dir : "";
}

TEST(Screenshot, CustomDialog) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    dlg->SetCaptions("netprobe", dlg->lbBusinessName->Caption());
    dlg->Show();
    testing::PumpUntil([] { return false; }, 5);

    RECT window;
    GetWindowRect(dlg->Handle(), &window);
    Capture capture(window.right - window.left, window.bottom - window.top);
    ASSERT_TRUE(testing::CaptureScreenArea(dlg->Handle(), capture));

    // The top bar lies at the top of the client area, in the skin's colour.
    POINT origin{0, 0};
    ClientToScreen(dlg->Handle(), &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    EXPECT_EQ(capture.Pixel(dx + 300, dy + 20), ColorToRGB(host.top_bar));
    EXPECT_EQ(capture.Pixel(dx + 300, dy + 150), ColorToRGB(host.module_back));
    // The bevel's shadow line: row 264 + 5 - 2.
    EXPECT_EQ(capture.Pixel(dx + 100, dy + 267), ColorToRGB(clBtnShadow));

    const std::string dir = ScreenshotDir();
    if (!dir.empty()) {
        CreateDirectoryA(dir.c_str(), nullptr);
        EXPECT_TRUE(capture.SaveBmp(dir + "/custom_dlg.bmp"));
    }
}

}  // namespace
}  // namespace netprobe::ui
