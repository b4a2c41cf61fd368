// The wait window: its geometry and colours, the progress strip's frames and animator, the
// one shared window behind ShowStatus / HideStatus, and the shadow drawn once only.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_Status.h"
#include "ui/f_Status_Frames.h"

namespace netprobe::ui {
namespace {

using testing::Capture;
using testing::ExpectBounds;
using testing::FakeHost;
using testing::PumpUntil;

// Every test ends with no wait window, whatever it did.
class StatusTest : public ::testing::Test {
protected:
    StatusTest() : scoped(host) { host.on_process_messages = testing::PumpMessages; }
    ~StatusTest() override { HideStatus(); }

    FakeHost host;
    ScopedHost scoped;
};

TEST_F(StatusTest, ShowStatusBuildsTheWindowAsDesigned) {
    ShowStatus("abc");
    Tfrm_Status* status = StatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(IsWindowVisible(status->Handle()));
    EXPECT_EQ(status->ClientWidth(), 278);
    EXPECT_EQ(status->ClientHeight(), 73);
    const LONG style = GetWindowLongA(status->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_NE(GetWindowLongA(status->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const RECT screen = testing::ScreenRect();
    EXPECT_EQ(status->Left(), (screen.right - screen.left - 278) / 2);
    EXPECT_EQ(status->Top(), (screen.bottom - screen.top - 73) / 2);
    EXPECT_EQ(status->Color(), TColor{16710131});
    EXPECT_EQ(status->Font().Height(), -11);

    ExpectBounds(*status->Panel1, 0, 0, 275, 69);
    EXPECT_TRUE(status->Panel1->HasBorder());
    EXPECT_EQ(status->Panel1->BorderColor(), TColor{14731681});
    EXPECT_EQ(status->Panel1->BevelOuter(), TBevelCut::None);
    EXPECT_EQ(status->Panel1->Color(), kStatusColor);

    ExpectBounds(*status->lblStatus, 12, 17, 251, 25);
    EXPECT_EQ(status->lblStatus->Parent(), status->Panel1);
    EXPECT_TRUE(status->lblStatus->WordWrap());
    EXPECT_FALSE(status->lblStatus->Transparent());
    EXPECT_EQ(status->lblStatus->Font().Height(), -12);
    EXPECT_EQ(status->lblStatus->Caption(), "abc");
    EXPECT_EQ(host.calls, std::vector<std::string>{"gclFrameBackColor"});
}

TEST_F(StatusTest, FirstShowStartsTheStripBelowTheText) {
    ShowStatus("abc");
    Tfrm_Status* status = StatusWindow();
    ASSERT_NE(status->Animator, nullptr);
    TVexoAnimator& strip = *status->Animator;
    EXPECT_EQ(strip.Owner(), status->Panel1);
    EXPECT_EQ(strip.Parent(), status->Panel1);
    ExpectBounds(strip, 90, 48, 94, 7);
    EXPECT_TRUE(strip.Visible());
    EXPECT_TRUE(strip.Animate());
    EXPECT_EQ(strip.Delay(), 50);
    EXPECT_EQ(strip.DelayUntilRepeat(), 100);
    EXPECT_TRUE(strip.Transparent());
    EXPECT_EQ(strip.ImageList(), status->ImageListAff);
    EXPECT_EQ(status->ImageListAff->Count(), 4);
    // The timer is a message timer: pumping messages moves the strip.
    EXPECT_TRUE(PumpUntil([&] { return strip.LastFrame() >= 2; }, 500));
}

TEST_F(StatusTest, ShowProgressFalseHidesAndStopsTheStrip) {
    ShowStatus("abc");
    Tfrm_Status* status = StatusWindow();
    status->ShowProgress(false);
    EXPECT_FALSE(status->Animator->Visible());
    EXPECT_FALSE(status->Animator->Animate());
    status->ShowProgress(true);
    EXPECT_TRUE(status->Animator->Visible());
    EXPECT_TRUE(status->Animator->Animate());
}

TEST_F(StatusTest, TheColourStaysWhateverTheHostsFrameColour) {
    host.frame_back = 0;
    ShowStatus("abc");
    EXPECT_EQ(StatusWindow()->Color(), kStatusColor);
    HideStatus();
    host.frame_back = 0x123456;
    ShowStatus("abc");
    EXPECT_EQ(StatusWindow()->Color(), kStatusColor);
}

TEST_F(StatusTest, ASecondShowReplacesTheTextOfTheSameWindow) {
    ShowStatus("first");
    Tfrm_Status* status = StatusWindow();
    HWND window = status->Handle();
    testing::PumpMessages();
    ShowStatus("second");
    testing::PumpMessages();
    EXPECT_EQ(StatusWindow(), status);
    EXPECT_EQ(status->Handle(), window);
    EXPECT_EQ(status->lblStatus->Caption(), "second");
    EXPECT_TRUE(IsWindowVisible(window));
    // Shown and repainted twice; the shadow was drawn once.
    EXPECT_EQ(status->PaintCount, 1);
    HideStatus();
    EXPECT_EQ(StatusWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(StatusTest, HideTwiceOrBeforeAnyShowIsHarmless) {
    HideStatus();
    EXPECT_EQ(StatusWindow(), nullptr);
    ShowStatus("a");
    ShowStatus("b");
    HWND window = StatusWindow()->Handle();
    HideStatus();
    HideStatus();
    EXPECT_EQ(StatusWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    ShowStatus("again");
    ASSERT_NE(StatusWindow(), nullptr);
    EXPECT_EQ(StatusWindow()->lblStatus->Caption(), "again");
}

HWND hidden_during_show = nullptr;

// A host window whose event hides the wait window.
LRESULT CALLBACK HidingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP) {
        if (StatusWindow()) hidden_during_show = StatusWindow()->Handle();
        HideStatus();
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// A host event handled while ShowStatus lets messages run hides the window: it goes once
// ShowStatus is done with it.
TEST_F(StatusTest, HideFromAnEventDuringShowWaitsForTheShow) {
    testing::RecordingWindow events("NetprobeStatusEvents");
    hidden_during_show = nullptr;
    SetWindowLongPtrA(events.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HidingProc));
    PostMessageA(events.handle(), WM_APP, 0, 0);
    ShowStatus("abc");
    ASSERT_NE(hidden_during_show, nullptr);
    EXPECT_EQ(StatusWindow(), nullptr);
    EXPECT_FALSE(IsWindow(hidden_during_show));
}

// The shadow blends over what is on the canvas; a repaint leaves it as it is.
TEST_F(StatusTest, ARepaintDoesNotDarkenTheShadow) {
    std::unique_ptr<Tfrm_Status> status(CreateForm<Tfrm_Status>());
    EXPECT_EQ(status->PaintCount, 0);
    Capture capture(278, 73);
    capture.Fill(RGB(255, 255, 255));
    status->Perform(WM_PAINT, reinterpret_cast<WPARAM>(capture.dc()), 0);
    EXPECT_EQ(status->PaintCount, 1);
    EXPECT_EQ(capture.Pixel(100, 69), RGB(127, 127, 127));
    EXPECT_EQ(capture.Pixel(277, 40), RGB(169, 169, 169));
    status->Perform(WM_PAINT, reinterpret_cast<WPARAM>(capture.dc()), 0);
    EXPECT_EQ(status->PaintCount, 1);
    EXPECT_EQ(capture.Pixel(100, 69), RGB(127, 127, 127));
    EXPECT_EQ(capture.Pixel(277, 40), RGB(169, 169, 169));
}

// Dark pixels of the label's text in the rows of its second line.
int SecondLineInk(TLabel& label) {
    Capture capture(label.ClientWidth(), label.ClientHeight());
    label.PaintTo(capture.dc());
    int ink = 0;
    for (int y = 13; y < capture.height(); ++y)
        for (int x = 0; x < capture.width(); ++x) ink += GetGValue(capture.Pixel(x, y)) < 128 ? 1 : 0;
    return ink;
}

TEST_F(StatusTest, ALongTextWrapsInsideTheLabel) {
    ShowStatus("short");
    EXPECT_EQ(SecondLineInk(*StatusWindow()->lblStatus), 0);
    std::string chinese;  // 40 times 测 (GBK B2 E2): wider than a line, no spaces
    for (int i = 0; i < 40; ++i) chinese += "\xB2\xE2";
    ShowStatus(chinese);
    EXPECT_GT(SecondLineInk(*StatusWindow()->lblStatus), 0);
    ShowStatus("words words words words words words words words words words words words words");
    EXPECT_GT(SecondLineInk(*StatusWindow()->lblStatus), 0);
}

TEST(ProgressFrames, OutlineCornersAndBody) {
    for (int frame = 0; frame < kProgressFrameCount; ++frame) {
        SCOPED_TRACE(frame);
        bool transparent = false;
        for (auto [x, y] : {std::pair{0, 0}, {93, 0}, {0, 6}, {93, 6}}) {
            ProgressFramePixel(frame, x, y, transparent);
            EXPECT_TRUE(transparent);
        }
        for (auto [x, y] : {std::pair{1, 0}, {50, 0}, {50, 6}, {0, 3}, {93, 3}}) {
            EXPECT_EQ(ProgressFramePixel(frame, x, y, transparent), kProgressOutline);
            EXPECT_FALSE(transparent);
        }
        // Blue, lighter at the top than at the bottom.
        const COLORREF top = ProgressFramePixel(frame, 40, 1, transparent);
        EXPECT_GT(GetBValue(top), GetRValue(top));
        int light_top = 0, light_bottom = 0;
        for (int x = 1; x < 93; ++x) {
            light_top += GetRValue(ProgressFramePixel(frame, x, 1, transparent));
            light_bottom += GetRValue(ProgressFramePixel(frame, x, 5, transparent));
        }
        EXPECT_GT(light_top, light_bottom);
    }
}

// A quarter of the spacing per frame, and the last frame leads back to the first.
TEST(ProgressFrames, StripesMoveAQuarterOfTheirSpacing) {
    const int shift = kProgressStripeSpacing / kProgressFrameCount;
    EXPECT_EQ(shift, 3);
    bool t = false;
    for (int frame = 0; frame < kProgressFrameCount; ++frame) {
        const int next = (frame + 1) % kProgressFrameCount;
        for (int y = 1; y <= 5; ++y)
            for (int x = 1; x + shift < 93; ++x)
                ASSERT_EQ(ProgressFramePixel(frame, x, y, t), ProgressFramePixel(next, x + shift, y, t))
                    << frame << " " << x << "," << y;
    }
    // Stripes are there: a body row holds two colours.
    EXPECT_NE(ProgressFramePixel(0, 9, 3, t), ProgressFramePixel(0, 5, 3, t));
}

TEST(ProgressFrames, TheListDrawsThemWithTransparentCorners) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_Status> status(CreateForm<Tfrm_Status>());
    Capture capture(94, 7);
    capture.Fill(RGB(255, 255, 255));
    status->ImageListAff->Draw(capture.dc(), 0, 0, 2);
    bool t = false;
    EXPECT_EQ(capture.Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(capture.Pixel(93, 6), RGB(255, 255, 255));
    EXPECT_EQ(capture.Pixel(10, 0), kProgressOutline);
    EXPECT_EQ(capture.Pixel(30, 3), ProgressFramePixel(2, 30, 3, t));
}

}  // namespace
}  // namespace netprobe::ui
