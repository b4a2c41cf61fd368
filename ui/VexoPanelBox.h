#pragma once
// A panel that draws a one-pixel border in a colour of its own on any chosen subset of its
// four sides, and keeps its aligned children inside that border.
#include "ui/kit/panel.h"

namespace netprobe::ui {

inline constexpr TColor kDefaultBorderColor = 9342606;  // red, green and blue 142

class TVexoPanelBox : public TPanel {
public:
    // No caption and no outer bevel; every border on, in grey.
    explicit TVexoPanelBox(const ControlArgs& args);

    bool HasBorder() const { return has_border_; }
    TColor BorderColor() const { return border_color_; }
    bool HasTopBorder() const { return has_top_; }
    bool HasBottomBorder() const { return has_bottom_; }
    bool HasLeftBorder() const { return has_left_; }
    bool HasRightBorder() const { return has_right_; }

    // Each stores the value and repaints at once, changed or not. The inset for aligned
    // children follows at the next alignment pass.
    void SetHasBorder(bool value);
    void SetBorderColor(TColor value);
    void SetHasTopBorder(bool value);
    void SetHasBottomBorder(bool value);
    void SetHasLeftBorder(bool value);
    void SetHasRightBorder(bool value);

    void AdjustClientRect(RECT& rect) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    bool has_border_ = true;
    TColor border_color_ = kDefaultBorderColor;
    bool has_top_ = true;
    bool has_bottom_ = true;
    bool has_left_ = true;
    bool has_right_ = true;
};

}  // namespace netprobe::ui
