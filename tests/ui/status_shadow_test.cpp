// The status window's drawing functions on memory DCs: BlendColor's rounding and colour
// resolution, and DrawShadow's rings pixel by pixel over a white surface.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/ui/ui_test_support.h"
#include "ui/f_Status_Shadow.h"
#include "ui/kit/canvas.h"

namespace netprobe::ui {
namespace {

using testing::Capture;

constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF Grey(int level) { return RGB(level, level, level); }

TEST(BlendColor, BlackOverWhiteAtHalfGives127) { EXPECT_EQ(BlendColor(clBlack, clWhite, 128), Grey(127)); }

TEST(BlendColor, EndsOfTheAlphaRangeGiveOneColourOrTheOther) {
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(200, 100, 50), 0), RGB(200, 100, 50));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(200, 100, 50), 255), RGB(10, 20, 30));
}

TEST(BlendColor, ChannelsAreBlendedEachOnItsOwn) {
    // 255 * 128/255 -> 128; 255 * (1 - 128/255) -> 127, the weight rounded to single precision.
    EXPECT_EQ(BlendColor(RGB(255, 0, 0), RGB(0, 0, 255), 128), RGB(128, 0, 127));
    EXPECT_EQ(BlendColor(RGB(0, 255, 0), RGB(0, 0, 0), 64), RGB(0, 64, 0));
}

TEST(BlendColor, SystemColoursAreResolvedFirst) {
    const COLORREF text = ColorToRGB(clWindowText), window = ColorToRGB(clWindow);
    EXPECT_EQ(BlendColor(clWindowText, clWindow, 255), text);
    EXPECT_EQ(BlendColor(clWindowText, clWindow, 0), window);
    EXPECT_EQ(BlendColor(clWindowText, clWindow, 128), BlendColor(text, window, 128));
}

// A white surface with the status panel's box at (0, 0)-(275, 69), as on the window.
class ShadowTest : public ::testing::Test {
protected:
    static constexpr RECT kBox{0, 0, 275, 69};
    ShadowTest() : capture(300, 90), canvas(capture.dc()) { capture.Fill(kWhite); }

    int CountChanged() const {
        int changed = 0;
        for (int y = 0; y < capture.height(); ++y)
            for (int x = 0; x < capture.width(); ++x) changed += capture.Pixel(x, y) != kWhite ? 1 : 0;
        return changed;
    }

    Capture capture;
    TCanvas canvas;
};

TEST_F(ShadowTest, DepthZeroOrLessDrawsNothing) {
    DrawShadow(canvas, kBox, 0, clBlack);
    DrawShadow(canvas, kBox, -3, clBlack);
    EXPECT_EQ(CountChanged(), 0);
}

// With depth 6 the alphas are 128, 107, 86, 65, 44, 23: over white 127, 148, 169, 190, 211, 232.
TEST_F(ShadowTest, SixRingsOverWhiteFadeOutwards) {
    DrawShadow(canvas, kBox, 6, clBlack);
    const int expected[6] = {127, 148, 169, 190, 211, 232};
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        const COLORREF ring = Grey(expected[i - 1]);
        EXPECT_EQ(capture.Pixel(100, 69 + i - 1), ring);  // the row under the box
        EXPECT_EQ(capture.Pixel(274, 69 + i - 1), ring);
        EXPECT_EQ(capture.Pixel(275 + i - 1, 40), ring);  // the column right of the box
        EXPECT_EQ(capture.Pixel(275 + i - 1, 13), ring);
        EXPECT_EQ(capture.Pixel(12 - i, 68), ring);   // left end, up to the box's last row
        EXPECT_EQ(capture.Pixel(274, 12 - i), ring);  // top end, on the box's last column
    }
    // Beyond the sixth ring, and inside the box, nothing changes.
    EXPECT_EQ(capture.Pixel(100, 75), kWhite);
    EXPECT_EQ(capture.Pixel(281, 40), kWhite);
    EXPECT_EQ(capture.Pixel(100, 67), kWhite);
    EXPECT_EQ(capture.Pixel(273, 40), kWhite);
    // Offset 2 * depth from the top-left corner.
    EXPECT_EQ(capture.Pixel(5, 69), kWhite);
    EXPECT_EQ(capture.Pixel(5, 68), kWhite);
    EXPECT_EQ(capture.Pixel(275, 5), kWhite);
}

// Ring i's corners: the pixels b, d and f of its runs, each once.
TEST_F(ShadowTest, CornersAreRounded) {
    DrawShadow(canvas, kBox, 6, clBlack);
    EXPECT_EQ(capture.Pixel(11, 69), Grey(148));   // bottom-left: ring 2's corner pixel
    EXPECT_EQ(capture.Pixel(10, 70), Grey(169));   // ring 3's
    EXPECT_EQ(capture.Pixel(11, 70), Grey(148));   // ring 2's row begins under it
    EXPECT_EQ(capture.Pixel(275, 69), Grey(148));  // bottom-right: ring 2's corner
    EXPECT_EQ(capture.Pixel(276, 70), Grey(169));
    EXPECT_EQ(capture.Pixel(275, 11), Grey(148));  // top-right: ring 2's corner
    EXPECT_EQ(capture.Pixel(276, 10), Grey(169));
    EXPECT_EQ(capture.Pixel(274, 68), Grey(127));  // the box's own corner pixel: ring 1 once
}

// Every pixel of the six rings is blended exactly once: the count of changed pixels is the
// sum of the runs' lengths.
TEST_F(ShadowTest, EveryPixelIsBlendedOnce) {
    DrawShadow(canvas, kBox, 6, clBlack);
    int expected = 0;
    for (int i = 1; i <= 6; ++i) {
        const int column_a = i, row_c = (275 + i - 2) - (12 - i + 1) + 1, row_e = i,
                  column_g = (69 + i - 2) - (12 - i + 1) + 1;
        expected += column_a + 1 + row_c + 1 + row_e + 1 + column_g;
    }
    EXPECT_EQ(CountChanged(), expected);
}

TEST_F(ShadowTest, ASecondPassDarkensFurther) {
    DrawShadow(canvas, kBox, 6, clBlack);
    DrawShadow(canvas, kBox, 6, clBlack);
    EXPECT_EQ(capture.Pixel(100, 69), BlendColor(clBlack, Grey(127), 128));
    EXPECT_EQ(capture.Pixel(100, 69), Grey(63));
}

TEST_F(ShadowTest, OneRingWithTheWholeAlpha) {
    DrawShadow(canvas, kBox, 1, clBlack);
    EXPECT_EQ(capture.Pixel(100, 69), Grey(127));
    EXPECT_EQ(capture.Pixel(100, 70), kWhite);
    EXPECT_EQ(capture.Pixel(275, 40), Grey(127));
}

// A box at the surface's edge: the rings that fall off it are skipped, the rest drawn.
TEST_F(ShadowTest, PixelsOffTheSurfaceAreLeftAlone) {
    DrawShadow(canvas, RECT{100, 20, 297, 87}, 6, clBlack);
    EXPECT_EQ(capture.Pixel(150, 87), Grey(127));  // rows of rings 1 to 3; 4 to 6 are below
    EXPECT_EQ(capture.Pixel(150, 89), Grey(169));
    EXPECT_EQ(capture.Pixel(297, 50), Grey(127));  // columns of rings 1 to 3; 4 to 6 are off
    EXPECT_EQ(capture.Pixel(299, 50), Grey(169));
    EXPECT_EQ(capture.Pixel(150, 86), kWhite);
}

TEST_F(ShadowTest, TheColourIsBlendedNotJustBlack) {
    DrawShadow(canvas, kBox, 6, RGB(0, 0, 255));
    EXPECT_EQ(capture.Pixel(100, 69), RGB(127, 127, 255));
}

}  // namespace
}  // namespace netprobe::ui
