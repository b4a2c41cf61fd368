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

}  // namespace
}  // namespace netprobe::ui
