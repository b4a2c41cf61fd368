#pragma once
// A text label. A transparent label shows its parent through, so it can sit on a coloured bar.
// By default a label takes the size of its caption in its font.
#include "ui/kit/window.h"

namespace netprobe::ui {

// Auto: the label is as large as its caption, from its left and top (with word wrap: as high
// as its lines at its width). Fixed: it keeps the size it is given.
enum class TLabelSize { Auto, Fixed };

class TLabel : public TWinControl {
public:
    explicit TLabel(const ControlArgs& args, TLabelSize size = TLabelSize::Auto);

    void SetAutoSize(bool value);
    void SetCaption(const std::string& caption) override;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Breaks the caption into lines at the label's width (between words, and inside a word
    // or a run of Chinese characters that is wider than a line); lines below are cut off.
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool wrap);
    // A label of a fixed size whose one-line caption is wider than it: its font's characters
    // are narrowed until the caption fits, whole, at the label's width.
    void FitCaptionToWidth();

    // A transparent label's text is paired with its parent's face.
    ColorPair DrawColors() const override;

protected:
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;
    // A label that takes its caption's size only moves: its new font has sized it.
    void ScaleBounds(int m, int d) override;

private:
    void PaintWrapped(TCanvas& canvas, const RECT& rect);
    void AdjustSize();
    SIZE CaptionSize() const;

    bool auto_size_ = true;
    bool transparent_ = false;
    bool word_wrap_ = false;
};

}  // namespace netprobe::ui
