#pragma once
// A text label. A transparent label shows its parent through, so it can sit on a coloured bar.
#include "window.h"

namespace netprobe::ui {

class TLabel : public TWinControl {
public:
    explicit TLabel(const ControlArgs& args);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

protected:
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;

private:
    bool transparent_ = false;
};

}  // namespace netprobe::ui
