#include "ui/kit/text_wrap.h"

namespace netprobe::ui {

namespace {

// How many characters from `from` fit in the width; at least one, so every line advances.
size_t Fitting(HDC dc, const std::wstring& text, size_t from, size_t end, int width) {
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, text.data() + from, static_cast<int>(end - from), width, &fit, nullptr, &size);
    return fit < 1 ? 1 : static_cast<size_t>(fit);
}

void WrapParagraph(HDC dc, const std::wstring& text, size_t from, size_t end, int width,
                   std::vector<std::wstring>& lines) {
    if (from == end) {
        lines.emplace_back();
        return;
    }
    while (from < end) {
        const size_t fit = Fitting(dc, text, from, end, width);
        if (from + fit >= end) {
            lines.push_back(text.substr(from, end - from));
            return;
        }
        size_t cut = from + fit;
        const size_t blank = text.find_last_of(L' ', cut);
        if (blank != std::wstring::npos && blank > from) cut = blank;
        lines.push_back(text.substr(from, cut - from));
        from = cut;
        while (from < end && text[from] == L' ') ++from;
    }
}

}  // namespace

std::vector<std::wstring> WrapText(HDC dc, const std::wstring& text, int width) {
    std::vector<std::wstring> lines;
    size_t from = 0;
    while (from <= text.size()) {
        size_t end = text.find(L'\n', from);
        if (end == std::wstring::npos) end = text.size();
        size_t stop = end;
        if (stop > from && text[stop - 1] == L'\r') --stop;
        WrapParagraph(dc, text, from, stop, width, lines);
        from = end + 1;
    }
    return lines;
}

}  // namespace netprobe::ui
