#include "ui/kit/image_list.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace netprobe::ui {

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner),
      width_(width),
      height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)) {
    if (!list_.get()) throw std::runtime_error("ImageList_Create failed");
}

TImageList::~TImageList() noexcept(false) {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    links_.clear();
    // Users let go of the list while it is still whole.
    SendFreeNotifications();
}

int TImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

int TImageList::AddMasked(HBITMAP image, COLORREF mask) {
    const int index = ImageList_AddMasked(list_.get(), image, mask);
    Change();
    return index;
}

void TImageList::Clear() {
    ImageList_RemoveAll(list_.get());
    Change();
}

void TImageList::SetSize(int width, int height) {
    if (!ImageList_SetIconSize(list_.get(), width, height)) throw std::runtime_error("ImageList_SetIconSize failed");
    width_ = width;
    height_ = height;
    Change();
}

void TImageList::SetDrawingStyle(TDrawingStyle style) {
    drawing_style_ = style;
    Change();
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("image index " + std::to_string(index) + " out of range");
    const UINT style = drawing_style_ == TDrawingStyle::Transparent ? ILD_TRANSPARENT : ILD_NORMAL;
    if (!ImageList_Draw(list_.get(), index, dc, x, y, style)) throw std::runtime_error("ImageList_Draw failed");
}

void TImageList::RegisterChanges(TChangeLink* link) {
    if (link->sender_ == this) return;
    if (link->sender_) link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (link->sender_ == this) link->sender_ = nullptr;
}

void TImageList::Change() {
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links) {
        if (link->OnChange) link->OnChange(this);
    }
}

}  // namespace netprobe::ui
