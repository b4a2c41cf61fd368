// TVexoAnimator: frame order and the reports of OnFrameChange (ticks driven directly), the
// timer's interval around the wrap, setters that act only on a change, the size lock, the
// image list's destruction, an error in a tick, and frames composed over the parent.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/VexoPanelBox.h"
#include "ui/f_Status_Animator.h"
#include "ui/kit/form.h"
#include "ui/kit/gdi.h"

namespace netprobe::ui {
namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

// An image list of `count` images: each a border of the mask colour (transparent) around a
// solid square of its own colour.
std::unique_ptr<TImageList> MakeImages(TComponent* owner, int count, int w, int h,
                                       const std::vector<COLORREF>& colors = {}) {
    auto list = std::make_unique<TImageList>(owner, w, h);
    for (int i = 0; i < count; ++i) {
        WindowDC screen(nullptr);
        BitmapHandle image(CreateCompatibleBitmap(screen.get(), w, h));
        {
            MemoryDC dc(screen.get());
            SelectObjectScope select(dc.get(), image.get());
            Brush mask(CreateSolidBrush(kMask));
            RECT all{0, 0, w, h};
            FillRect(dc.get(), &all, mask.get());
            Brush face(CreateSolidBrush(colors.empty() ? RGB(0, 40 * i, 0) : colors[static_cast<size_t>(i)]));
            RECT inner{w / 4, h / 4, w - w / 4, h - h / 4};
            FillRect(dc.get(), &inner, face.get());
        }
        list->AddMasked(image.get(), kMask);
    }
    return list;
}

class AnimatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(CreateForm<TForm>());
        animator = new TVexoAnimator({.parent = form.get(), .left = 5, .top = 5});
        animator->OnFrameChange = [this](TObject* sender, std::int32_t frame) {
            EXPECT_EQ(sender, animator);
            frames.push_back(frame);
        };
    }

    std::unique_ptr<TForm> form;
    TVexoAnimator* animator = nullptr;
    std::vector<int> frames;
};

TEST_F(AnimatorTest, Defaults) {
    EXPECT_TRUE(animator->Animate());
    EXPECT_EQ(animator->Delay(), 100);
    EXPECT_EQ(animator->DelayUntilRepeat(), 100);
    EXPECT_EQ(animator->LastFrame(), -1);
    EXPECT_EQ(animator->ImageIndex(), 0);
    EXPECT_EQ(animator->ImageList(), nullptr);
    EXPECT_FALSE(animator->Transparent());
    EXPECT_EQ(animator->Width(), 40);
    EXPECT_EQ(animator->Height(), 40);
    EXPECT_EQ(animator->Color(), clWindow);
    EXPECT_TRUE(animator->Timer().Running());
    EXPECT_EQ(animator->Timer().Interval(), 100u);
}

TEST_F(AnimatorTest, FramesFollowInOrderAndTheRepeatDelayComesAfterTheLast) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->SetDelay(50);
    animator->SetDelayUntilRepeat(100);
    std::vector<unsigned> intervals;
    for (int i = 0; i < 5; ++i) {
        animator->TimerTick();
        intervals.push_back(animator->Timer().Interval());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(intervals, (std::vector<unsigned>{50, 50, 50, 100, 50}));
    EXPECT_EQ(animator->LastFrame(), 0);
    EXPECT_EQ(animator->ImageIndex(), 1);
}

TEST_F(AnimatorTest, TheFirstFrameIsReportedAndARepaintReportsNothing) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->DrawFrame();  // frame 0 after construction: reported
    EXPECT_EQ(frames, (std::vector<int>{0}));
    form->Show();
    animator->Repaint();
    animator->DrawFrame();
    EXPECT_EQ(frames, (std::vector<int>{0}));
    EXPECT_EQ(animator->ImageIndex(), 0);  // painting does not advance
}

TEST_F(AnimatorTest, AnIndexAtOrBeyondTheCountRestartsAtZero) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->SetImageIndex(4);
    animator->TimerTick();
    animator->SetImageIndex(17);
    animator->TimerTick();
    EXPECT_EQ(frames, (std::vector<int>{0}));  // the second 0 is the same frame again
    EXPECT_EQ(animator->ImageIndex(), 1);
}

// Drawn before the next tick brings it back to 0, an index beyond the list is a frame of its
// own: reported once, and the last frame.
TEST_F(AnimatorTest, AnIndexBeyondTheListIsReportedWhenDrawn) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->SetImageIndex(6);
    animator->DrawFrame();
    animator->DrawFrame();
    EXPECT_EQ(frames, (std::vector<int>{6}));
    EXPECT_EQ(animator->LastFrame(), 6);
}

// Clicks (pressed and released on the control), double clicks and context-menu requests
// reach the handlers.
TEST_F(AnimatorTest, MouseEventsReachTheirHandlers) {
    int clicks = 0, double_clicks = 0;
    std::vector<POINT> popups;
    animator->OnClick = [&](TObject* sender) { clicks += sender == animator ? 1 : 100; };
    animator->OnDblClick = [&](TObject* sender) { double_clicks += sender == animator ? 1 : 100; };
    animator->OnContextPopup = [&](TObject*, POINT at, bool& handled) {
        popups.push_back(at);
        handled = true;
    };
    HWND window = animator->Handle();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 4));  // released elsewhere
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));    // never pressed
    EXPECT_EQ(clicks, 1);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(double_clicks, 1);
    EXPECT_EQ(clicks, 1);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(origin.x + 7, origin.y + 8));
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(-1, -1));
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0].x, 7);
    EXPECT_EQ(popups[0].y, 8);
    EXPECT_EQ(popups[1].x, -1);
    EXPECT_EQ(popups[1].y, -1);
}

TEST_F(AnimatorTest, TheRealTimerPlaysTheFrames) {
    auto images = MakeImages(nullptr, 3, 8, 8);
    animator->SetDelay(5);
    animator->SetDelayUntilRepeat(5);
    animator->SetImageList(images.get());
    ASSERT_TRUE(testing::PumpUntil([&] { return frames.size() >= 4; }, 500));
    EXPECT_EQ((std::vector<int>(frames.begin(), frames.begin() + 4)), (std::vector<int>{0, 1, 2, 0}));
}

TEST_F(AnimatorTest, SettersActOnlyOnARealChange) {
    const int starts = animator->Timer().Starts();
    animator->SetDelay(100);
    EXPECT_EQ(animator->Timer().Starts(), starts);  // same value: the timer is not restarted
    animator->SetDelay(60);
    EXPECT_EQ(animator->Timer().Starts(), starts + 1);
    EXPECT_EQ(animator->Timer().Interval(), 60u);
    animator->SetAnimate(false);
    EXPECT_FALSE(animator->Timer().Running());
    animator->SetAnimate(false);
    animator->SetAnimate(true);
    EXPECT_TRUE(animator->Timer().Running());
    animator->SetDelayUntilRepeat(300);
    EXPECT_EQ(animator->Timer().Interval(), 60u);  // only at the next wrap
}

TEST_F(AnimatorTest, TheControlKeepsExactlyTheImageSize) {
    auto images = MakeImages(nullptr, 2, 94, 7);
    animator->SetImageList(images.get());
    EXPECT_EQ(animator->Width(), 94);
    EXPECT_EQ(animator->Height(), 7);
    animator->SetBounds(5, 5, 200, 150);
    EXPECT_EQ(animator->Width(), 94);
    EXPECT_EQ(animator->Height(), 7);
    MoveWindow(animator->Handle(), 5, 5, 10, 10, TRUE);
    EXPECT_EQ(animator->Width(), 94);
    EXPECT_EQ(animator->Height(), 7);
    animator->SetImageIndex(1);
    animator->SetImageList(nullptr);
    EXPECT_EQ(animator->ImageIndex(), 1);  // not reset with the list
    animator->SetBounds(5, 5, 30, 20);
    EXPECT_EQ(animator->Width(), 30);
}

TEST_F(AnimatorTest, DestroyingTheImageListLeavesNone) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->TimerTick();
    images.reset();
    EXPECT_EQ(animator->ImageList(), nullptr);
    animator->TimerTick();
    animator->TimerTick();
    EXPECT_EQ(frames, (std::vector<int>{0}));
    // An owned list going with its owner is handled the same way.
    auto owner = std::make_unique<TComponent>(nullptr);
    TImageList* owned = MakeImages(owner.get(), 2, 8, 8).release();
    animator->SetImageList(owned);
    owner.reset();
    EXPECT_EQ(animator->ImageList(), nullptr);
}

TEST_F(AnimatorTest, AnErrorInATickSwitchesTheAnimationOff) {
    auto images = MakeImages(nullptr, 4, 16, 16);
    animator->SetImageList(images.get());
    animator->OnFrameChange = [](TObject*, std::int32_t) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(animator->TimerTick(), std::runtime_error);
    EXPECT_FALSE(animator->Animate());
    EXPECT_FALSE(animator->Timer().Running());
}

TEST_F(AnimatorTest, AChangeOfTheListRepaintsAtOnce) {
    auto images = MakeImages(nullptr, 2, 16, 16);
    animator->SetImageList(images.get());
    form->Show();
    testing::PumpMessages();
    frames.clear();
    animator->SetImageIndex(1);  // invalidates only
    EXPECT_TRUE(frames.empty());
    images->SetDrawingStyle(TDrawingStyle::Transparent);  // a change notice: painted now
    EXPECT_EQ(frames, (std::vector<int>{1}));
}

TEST_F(AnimatorTest, AnEmptyListDrawsTheBackgroundAndReportsNoFrame) {
    auto images = MakeImages(nullptr, 0, 16, 16);
    animator->SetImageList(images.get());
    animator->TimerTick();
    animator->TimerTick();
    EXPECT_TRUE(frames.empty());
    EXPECT_TRUE(animator->Animate());
    EXPECT_EQ(animator->FrameBitmap().Pixel(0, 0), ColorToRGB(clWindow));
}

TEST_F(AnimatorTest, AnOpaqueFrameIsFilledWithTheColour) {
    auto images = MakeImages(nullptr, 1, 16, 16, {RGB(0, 200, 0)});
    animator->SetColor(0x00FFFF);
    animator->SetImageList(images.get());
    animator->TimerTick();
    EXPECT_EQ(animator->FrameBitmap().Pixel(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(animator->FrameBitmap().Pixel(8, 8), RGB(0, 200, 0));
}

TEST_F(AnimatorTest, ATransparentFrameShowsTheParentThrough) {
    auto* box = new TVexoPanelBox({.parent = form.get(), .left = 50, .top = 50, .width = 60, .height = 40});
    box->SetColor(0x0000FF);        // red face
    box->SetBorderColor(0xFF0000);  // blue border
    auto images = MakeImages(nullptr, 1, 16, 16, {RGB(0, 200, 0)});
    auto* inner = new TVexoAnimator({.parent = box});
    inner->SetImageList(images.get());
    inner->SetTransparent(true);

    inner->SetBounds(0, 0, 16, 16);  // over the box's corner: its border shows
    inner->TimerTick();
    EXPECT_EQ(inner->FrameBitmap().Pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(inner->FrameBitmap().Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(inner->FrameBitmap().Pixel(8, 8), RGB(0, 200, 0));

    inner->SetBounds(10, 10, 16, 16);  // inside: the face only
    inner->TimerTick();
    EXPECT_EQ(inner->FrameBitmap().Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(inner->FrameBitmap().Pixel(8, 8), RGB(0, 200, 0));

    inner->SetBounds(60 - 16, 40 - 16, 16, 16);  // the far corner: right and bottom lines
    inner->TimerTick();
    EXPECT_EQ(inner->FrameBitmap().Pixel(15, 15), RGB(0, 0, 255));
    EXPECT_EQ(inner->FrameBitmap().Pixel(14, 14), RGB(255, 0, 0));
}

}  // namespace
}  // namespace netprobe::ui
