#pragma once
// A text label. A transparent label shows its parent through, so it can sit on a coloured bar.
#include "window.h"

namespace netprobe::ui {

class TLabel : public TWinControl {
public:
    explicit TLabel(const ControlArgs& args);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Breaks the caption into lines at the label's width (between words, and inside a word
    // or a run of Chinese characters that is wider than a line); lines below are cut off.
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool wrap);

protected:
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;

private:
    void PaintWrapped(TCanvas& canvas, const RECT& rect);

    bool transparent_ = false;
    bool word_wrap_ = false;
};

}  // namespace netprobe::ui
