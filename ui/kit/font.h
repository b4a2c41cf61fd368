#pragma once
// A logical font description (face, height in pixels, character set, colour) and the HFONT
// made from it on demand.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/kit/color.h"
#include "ui/kit/gdi.h"

namespace netprobe::ui {

class TFont {
public:
    TFont();

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }  // negative: character height in pixels
    int Size() const;                       // points at PixelsPerInch()
    int Charset() const { return charset_; }
    TColor Color() const { return color_; }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetSize(int points);
    void SetCharset(int charset);
    void SetColor(TColor color);
    void SetBold(bool bold);
    // The characters' average width in pixels; 0 (the default) for the face's own.
    int Width() const { return width_; }
    void SetWidth(int width);
    // Drawn smoothed (grey-scale antialiased) at every size, also where the face itself asks
    // for none at small sizes.
    bool Smoothed() const { return smoothed_; }
    void SetSmoothed(bool smoothed);
    void Assign(const TFont& other);
    // The resolution at which Size and SetSize convert points to pixels: 96 unless the form
    // the font belongs to follows the screen's. Changing it changes no height.
    int PixelsPerInch() const { return pixels_per_inch_; }
    void SetPixelsPerInch(int value) { pixels_per_inch_ = value; }

    HFONT Handle() const;  // owned by the font, valid until it changes

    // Raised after any change (controls repaint and re-measure).
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_;
    int height_ = -12;
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    bool bold_ = false;
    int width_ = 0;
    bool smoothed_ = false;
    int pixels_per_inch_ = 96;
    mutable FontHandle handle_;
};

}  // namespace netprobe::ui
