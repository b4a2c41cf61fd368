#pragma once
// Which colours text and its background are drawn in. A text colour and the face under it
// come from the same source: a skin's text over a system colour (which a scheme of the
// system may make equal to it) gives way to that system colour's own text colour; under the
// system's high-contrast scheme the system's pair wins everywhere.
#include <optional>

#include "ui/kit/color.h"

namespace netprobe::ui {

inline constexpr TColor clBtnText = kSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clHighlight = kSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = kSystemColor | COLOR_HIGHLIGHTTEXT;

struct ColorPair {
    TColor face;
    TColor text;
};

// The system's high-contrast scheme is on (SPI_GETHIGHCONTRAST), or a host (or a test, where
// the system cannot say, as under Wine) has imposed the answer; nullopt asks the system again.
bool HighContrast();
void ImposeHighContrast(std::optional<bool> on);

// The pair to draw with, for a face and a text colour wished for, and the system's pair of
// the kind of control.
ColorPair DrawingPair(TColor face, TColor text, ColorPair system);

}  // namespace netprobe::ui
