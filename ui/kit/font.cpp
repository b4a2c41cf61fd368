#include "ui/kit/font.h"

#include <utility>

#include "core/texts.h"

namespace netprobe::ui {

TFont::TFont() : name_(texts::FontSong()), charset_(GB2312_CHARSET) {}

int TFont::Size() const { return -MulDiv(height_, 72, pixels_per_inch_); }

void TFont::SetName(const std::string& name) {
    name_ = name;
    Changed();
}
void TFont::SetHeight(int height) {
    height_ = height;
    Changed();
}
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixels_per_inch_, 72)); }
void TFont::SetCharset(int charset) {
    charset_ = charset;
    Changed();
}
void TFont::SetColor(TColor color) {
    color_ = color;
    if (OnChange) OnChange();  // the colour needs no new HFONT
}
void TFont::SetBold(bool bold) {
    bold_ = bold;
    Changed();
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    color_ = other.color_;
    bold_ = other.bold_;
    width_ = other.width_;
    smoothed_ = other.smoothed_;
    pixels_per_inch_ = other.pixels_per_inch_;
    Changed();
}

void TFont::SetWidth(int width) {
    width_ = width;
    Changed();
}

void TFont::SetSmoothed(bool smoothed) {
    smoothed_ = smoothed;
    Changed();
}

// The old HFONT lives until the handlers are done: a control that still holds it (an edit
// after WM_SETFONT) receives the new one first.
void TFont::Changed() {
    FontHandle old = std::move(handle_);
    if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWidth = width_;
        lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = smoothed_ ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return handle_.get();
}

}  // namespace netprobe::ui
