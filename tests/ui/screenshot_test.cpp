// A picture of the base dialog's client area for people to look at: every window of it
// painted into a memory DC, written as a BMP when NETPROBE_SCREENSHOT_DIR names a folder.
// The pixels checked are the ones the dialog's frame puts there.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlg.h"

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

    Capture capture(dlg->ClientWidth(), dlg->ClientHeight());
    testing::RenderClientTree(dlg->Handle(), capture);

    // The top bar across the top 37 rows, in the skin's colour; the face below it.
    EXPECT_EQ(capture.Pixel(300, 0), ColorToRGB(host.top_bar));
    EXPECT_EQ(capture.Pixel(490, 36), ColorToRGB(host.top_bar));
    EXPECT_EQ(capture.Pixel(300, 37), ColorToRGB(host.module_back));
    // The bevel's lines: shadow on row 264 + 5 - 2, highlight on the row below.
    EXPECT_EQ(capture.Pixel(100, 267), ColorToRGB(clBtnShadow));
    EXPECT_EQ(capture.Pixel(100, 268), ColorToRGB(clBtnHighlight));
    // The close button's frame at its top-left corner.
    EXPECT_NE(capture.Pixel(410, 279), ColorToRGB(host.module_back));

    const std::string dir = ScreenshotDir();
    if (!dir.empty()) {
        CreateDirectoryA(dir.c_str(), nullptr);
        EXPECT_TRUE(capture.SaveBmp(dir + "/custom_dlg.bmp"));
    }
}

// The base dialog on the screen after the host changed its skin: the new bar colour reaches
// behind the business title too.
TEST(Screenshot, CustomDialogAfterSkinChange) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    dlg->SetCaptions("netprobe", dlg->lbBusinessName->Caption());
    dlg->Show();
    testing::PumpUntil([] { return false; }, 5);
    host.top_bar = 0x8C4A1E;  // red 30, green 74, blue 140
    host.module_back = 0xF8F0E8;
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    testing::PumpUntil([] { return false; }, 5);

    Capture capture(dlg->ClientWidth(), dlg->ClientHeight());
    testing::CaptureScreen(dlg->Handle(), capture);
    POINT title{0, 0};
    MapWindowPoints(dlg->lbBusinessName->Handle(), dlg->Handle(), &title, 1);
    EXPECT_EQ(capture.Pixel(title.x, title.y), ColorToRGB(host.top_bar));

    const std::string dir = ScreenshotDir();
    if (!dir.empty()) {
        CreateDirectoryA(dir.c_str(), nullptr);
        EXPECT_TRUE(capture.SaveBmp(dir + "/custom_dlg_skin_changed.bmp"));
    }
}

}  // namespace
}  // namespace netprobe::ui
