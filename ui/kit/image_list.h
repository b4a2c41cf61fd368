#pragma once
// An image list over comctl32 (ImageList_*): images of one size, drawn in the list's drawing
// style. Change links hear of every change; components that asked for a free notification
// hear of the list's destruction.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include "ui/kit/component.h"

namespace netprobe::ui {

class TImageList;

// A subscription to one image list's changes; it unsubscribes itself when it goes.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    std::function<void(TImageList* sender)> OnChange;

private:
    friend class TImageList;
    TImageList* sender_ = nullptr;
};

enum class TDrawingStyle { Normal, Transparent };

// ImageList_Destroy for a scope.
class ImageListHandle {
public:
    explicit ImageListHandle(HIMAGELIST handle = nullptr) : handle_(handle) {}
    ~ImageListHandle() {
        if (handle_) ImageList_Destroy(handle_);
    }
    ImageListHandle(const ImageListHandle&) = delete;
    ImageListHandle& operator=(const ImageListHandle&) = delete;
    HIMAGELIST get() const { return handle_; }

private:
    HIMAGELIST handle_;
};

class TImageList : public TComponent {
public:
    // A masked list (ILC_COLOR32 | ILC_MASK) with the transparent drawing style.
    TImageList(TComponent* owner, int width, int height);
    ~TImageList() noexcept(false) override;

    HIMAGELIST Handle() const { return list_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;

    // Adds one image, or several side by side, with the pixels of `mask` colour transparent.
    int AddMasked(HBITMAP image, COLORREF mask);
    void Clear();
    // Images of another size from now on; the list is emptied.
    void SetSize(int width, int height);

    void SetDrawingStyle(TDrawingStyle style);

    // Draws one image in the drawing style; an index outside the list raises an error.
    void Draw(HDC dc, int x, int y, int index) const;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

private:
    void Change();

    int width_, height_;
    ImageListHandle list_;
    TDrawingStyle drawing_style_ = TDrawingStyle::Transparent;
    std::vector<TChangeLink*> links_;
};

}  // namespace netprobe::ui
