#pragma once
// TVexoAnimator: plays the images of an image list as a looping animation on a message-based
// timer, optionally over its parent's background so that the images' transparent pixels show
// the parent through. The status window is its user.
#include <cstdint>
#include <functional>

#include "ui/kit/bitmap.h"
#include "ui/kit/custom_control.h"
#include "ui/kit/image_list.h"
#include "ui/kit/timer.h"

namespace netprobe::ui {

class TVexoAnimator;
using TVexoAnimatorFrameChangeEvent = std::function<void(TObject* sender, std::int32_t frame)>;

// Besides its own properties it offers OnClick, OnDblClick and OnContextPopup of its base.
class TVexoAnimator : public TCustomControl {
public:
    // 40 x 40, animating (interval 100 ms), no image list yet.
    explicit TVexoAnimator(const ControlArgs& args);
    ~TVexoAnimator() noexcept(false) override;

    bool Animate() const { return animate_; }
    std::uint16_t Delay() const { return delay_; }
    std::uint16_t DelayUntilRepeat() const { return delay_until_repeat_; }
    std::int32_t LastFrame() const { return last_frame_; }
    std::int32_t ImageIndex() const { return image_index_; }
    TImageList* ImageList() const { return image_list_; }
    bool Transparent() const { return transparent_; }

    // Animate, Delay, ImageIndex and Transparent act only on a real change.
    virtual void SetAnimate(bool value);
    virtual void SetDelay(std::uint16_t value);
    void SetDelayUntilRepeat(std::uint16_t value) { delay_until_repeat_ = value; }
    virtual void SetImageIndex(std::int32_t value);
    virtual void SetImageList(TImageList* value);
    virtual void SetTransparent(bool value);

    TVexoAnimatorFrameChangeEvent OnFrameChange;

    // One step of the animation; an error in it switches the animation off, then passes on.
    void TimerTick();
    // Composes the frame at ImageIndex off-screen and shows it.
    virtual void DrawFrame();
    // Paints the parent's background into the canvas, in this control's coordinates.
    void DrawParentImage(TCanvas& target);

    // True while an OnFrameChange handler runs: the animator is still at work then and must
    // not be destroyed underneath.
    bool InFrameChange() const { return in_frame_change_ > 0; }

    const TTimer& Timer() const { return timer_; }
    const TBitmap& FrameBitmap() const { return frame_; }

protected:
    virtual void FrameChange(std::int32_t frame);
    void ImageListChange(TImageList* sender);
    void Notification(TComponent* component, TOperation operation) override;
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;
    void Resized() override;

private:
    void ShowFrame(HDC target);

    bool animate_ = true;
    std::uint16_t delay_ = 100;
    std::uint16_t delay_until_repeat_ = 100;
    std::int32_t last_frame_ = -1;
    std::int32_t image_index_ = 0;
    TImageList* image_list_ = nullptr;  // not owned
    // Destroyed in reverse: the frame bitmap, the timer, then the change link.
    TChangeLink change_link_;
    TTimer timer_;
    TBitmap frame_;
    bool transparent_ = false;
    HDC paint_dc_ = nullptr;  // the paint DC while a WM_PAINT runs
    int in_frame_change_ = 0;
};

}  // namespace netprobe::ui
