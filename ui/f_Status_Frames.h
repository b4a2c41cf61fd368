#pragma once
// The frames of the status window's progress strip: a blue bar with a grey outline whose
// corner pixels are transparent, crossed by slanted lighter stripes that move a quarter of
// their spacing from one frame to the next, so that the last frame leads back to the first.
#include <windows.h>

#include "ui/kit/image_list.h"

namespace netprobe::ui {

inline constexpr int kProgressFrameWidth = 94;
inline constexpr int kProgressFrameHeight = 7;
inline constexpr int kProgressFrameCount = 4;
inline constexpr int kProgressStripeSpacing = 12;
inline constexpr COLORREF kProgressOutline = RGB(141, 145, 149);

// The colour of frame `frame` at (x, y); `transparent` is set for the pixels the mask hides.
COLORREF ProgressFramePixel(int frame, int x, int y, bool& transparent);

// Appends the four frames, each with its mask, to the list, at the list's image size: the
// 94 x 7 design, or its body and stripes stretched to a scaled size within the one-pixel
// outline, which stays one pixel.
void AddProgressFrames(TImageList& list);

}  // namespace netprobe::ui
