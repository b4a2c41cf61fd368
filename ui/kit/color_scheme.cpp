#include "ui/kit/color_scheme.h"

namespace netprobe::ui {

namespace {

std::optional<bool>& Imposed() {
    static std::optional<bool> imposed;
    return imposed;
}

bool IsSystem(TColor color) { return (color & kSystemColor) != 0; }

// The text colour that the system pairs with one of its faces.
TColor SystemTextFor(TColor face) {
    switch (face & 0xFF) {
        case COLOR_WINDOW:
            return clWindowText;
        case COLOR_HIGHLIGHT:
            return clHighlightText;
        case COLOR_INFOBK:
            return kSystemColor | COLOR_INFOTEXT;
        default:
            return clBtnText;
    }
}

}  // namespace

bool HighContrast() {
    if (Imposed()) return *Imposed();
    HIGHCONTRASTA info{};
    info.cbSize = sizeof info;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof info, &info, 0) && (info.dwFlags & HCF_HIGHCONTRASTON);
}

void ImposeHighContrast(std::optional<bool> on) { Imposed() = on; }

ColorPair DrawingPair(TColor face, TColor text, ColorPair system) {
    if (HighContrast()) return system;
    if (IsSystem(face) && !IsSystem(text)) return {face, SystemTextFor(face)};
    return {face, text};
}

}  // namespace netprobe::ui
