#include "ui/f_Status_Animator.h"

#include "ui/kit/gdi.h"

namespace netprobe::ui {

TVexoAnimator::TVexoAnimator(const ControlArgs& args) : TCustomControl(OwnerFor(args)) {
    ControlArgs sized = args;
    sized.width = 40;
    sized.height = 40;
    CreateChild(sized, WindowParams{});
    SetColor(clWindow);
    change_link_.OnChange = [this](TImageList* sender) { ImageListChange(sender); };
    timer_.SetInterval(100);
    timer_.SetOnTimer([this] { TimerTick(); });
}

TVexoAnimator::~TVexoAnimator() noexcept(false) {
    if (image_list_) RemoveFreeNotification(image_list_);
}

void TVexoAnimator::SetAnimate(bool value) {
    if (value == animate_) return;
    animate_ = value;
    timer_.SetEnabled(value);
}

void TVexoAnimator::SetDelay(std::uint16_t value) {
    if (value == delay_) return;
    delay_ = value;
    timer_.SetInterval(value);
}

void TVexoAnimator::SetImageIndex(std::int32_t value) {
    if (value == image_index_) return;
    image_index_ = value;
    Invalidate();
}

void TVexoAnimator::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

// The control takes the list's image size; ImageIndex stays as it is.
void TVexoAnimator::SetImageList(TImageList* value) {
    if (image_list_) {
        image_list_->UnRegisterChanges(&change_link_);
        RemoveFreeNotification(image_list_);
    }
    image_list_ = value;
    if (image_list_) {
        image_list_->RegisterChanges(&change_link_);
        FreeNotification(image_list_);
        SetBounds(Left(), Top(), image_list_->Width(), image_list_->Height());
    }
    Invalidate();
}

void TVexoAnimator::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == image_list_) SetImageList(nullptr);
}

void TVexoAnimator::Resized() {
    if (image_list_ && (Width() != image_list_->Width() || Height() != image_list_->Height()))
        SetBounds(Left(), Top(), image_list_->Width(), image_list_->Height());
}

void TVexoAnimator::ImageListChange(TImageList* sender) {
    if (sender == image_list_) Update();
}

void TVexoAnimator::TimerTick() {
    if (!image_list_) return;
    try {
        timer_.SetInterval(delay_);
        if (image_index_ >= image_list_->Count()) image_index_ = 0;
        DrawFrame();
        ++image_index_;
        if (image_index_ == image_list_->Count()) {
            image_index_ = 0;
            timer_.SetInterval(delay_until_repeat_);
        }
    } catch (...) {
        SetAnimate(false);
        throw;
    }
}

// A list without that image (empty, or an index out of range) shows the background only.
// An index out of range is still reported as a frame of its own; an empty list reports none.
void TVexoAnimator::DrawFrame() {
    if (!image_list_) return;
    const int w = image_list_->Width(), h = image_list_->Height();
    frame_.SetHeight(h);
    frame_.SetWidth(w);
    if (transparent_) {
        DrawParentImage(frame_.Canvas());
        Sleep(10);
    } else {
        frame_.Canvas().SetBrushColor(Color());
        frame_.Canvas().FillRect(RECT{0, 0, w + 1, h + 1});
    }
    const bool exists = image_index_ >= 0 && image_index_ < image_list_->Count();
    if (exists) image_list_->Draw(frame_.DC(), 0, 0, image_index_);
    if (paint_dc_) {
        ShowFrame(paint_dc_);
    } else {
        WindowDC dc(Handle());
        ShowFrame(dc.get());
    }
    if (image_list_->Count() == 0) return;
    if (image_index_ != last_frame_) FrameChange(image_index_);
    last_frame_ = image_index_;
}

void TVexoAnimator::ShowFrame(HDC target) {
    if (target) BitBlt(target, 0, 0, frame_.Width(), frame_.Height(), frame_.DC(), 0, 0, SRCCOPY);
}

void TVexoAnimator::DrawParentImage(TCanvas& target) { PaintParentBackground(target.Handle()); }

void TVexoAnimator::FrameChange(std::int32_t frame) {
    if (!OnFrameChange) return;
    TVexoAnimatorFrameChangeEvent handler = OnFrameChange;
    ++in_frame_change_;
    try {
        handler(this, frame);
    } catch (...) {
        --in_frame_change_;
        throw;
    }
    --in_frame_change_;
}

// The frame covers the whole control; erasing first would only flicker.
void TVexoAnimator::EraseBackground(TCanvas& canvas) {
    if (!image_list_) TCustomControl::EraseBackground(canvas);
}

// Shows the current frame again; nothing advances.
void TVexoAnimator::Paint(TCanvas& canvas) {
    TCustomControl::Paint(canvas);
    if (!image_list_) return;
    paint_dc_ = canvas.Handle();
    try {
        DrawFrame();
    } catch (...) {
        paint_dc_ = nullptr;
        throw;
    }
    paint_dc_ = nullptr;
}

}  // namespace netprobe::ui
