#include "tools/report_window/server_table_win.h"

#include <algorithm>

#include "core/translate.h"
#include "core/wide_text.h"
#include "ui/kit/gdi.h"

namespace netprobe::cli {
namespace {

using namespace netprobe::ui;

constexpr COLORREF kPassedMark = RGB(0x21, 0x8A, 0x3C);
constexpr COLORREF kFailedMark = RGB(0xC8, 0x1E, 0x1E);
constexpr COLORREF kChosenTint = RGB(0xE6, 0xF0, 0xFA);
constexpr COLORREF kRule = RGB(0xC8, 0xC8, 0xC8);

// The columns' widths at the table's design width of 608: the address gets what is left.
constexpr int kDesignWidth = 608, kMarkWidth = 28, kTimeWidth = 76, kResultWidth = 190, kNoteWidth = 96;

void TextIn(HDC dc, const std::string& utf8, RECT rect, UINT align = DT_LEFT) {
    const std::wstring text = Utf8ToWide(utf8);
    rect.left += 4;
    rect.right -= 4;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// A filled disc with a white tick or cross, drawn with lines as wide as the scale allows.
void PaintMark(HDC dc, const RECT& box, bool ok) {
    const int size = std::min(box.right - box.left, box.bottom - box.top);
    const int x = box.left + (box.right - box.left - size) / 2, y = box.top + (box.bottom - box.top - size) / 2;
    const COLORREF color = ok ? kPassedMark : kFailedMark;
    Brush brush(CreateSolidBrush(color));
    Pen outline(CreatePen(PS_SOLID, 1, color));
    {
        SelectObjectScope b(dc, brush.get()), p(dc, outline.get());
        Ellipse(dc, x, y, x + size, y + size);
    }
    Pen stroke(CreatePen(PS_SOLID, std::max(2, size / 7), RGB(255, 255, 255)));
    SelectObjectScope p(dc, stroke.get());
    auto at = [&](int px, int py) { return POINT{x + size * px / 16, y + size * py / 16}; };
    if (ok) {
        const POINT tick[] = {at(4, 8), at(7, 11), at(12, 5)};
        Polyline(dc, tick, 3);
    } else {
        const POINT one[] = {at(5, 5), at(11, 11)}, other[] = {at(11, 5), at(5, 11)};
        Polyline(dc, one, 2);
        Polyline(dc, other, 2);
    }
}

}  // namespace

TServerTable::TServerTable(const ControlArgs& args) : TCustomControl(OwnerFor(args)) {
    CreateChild(args, WindowParams{});
}

void TServerTable::SetRows(std::vector<ServerRow> rows) {
    rows_ = std::move(rows);
    Invalidate();
}

void TServerTable::SetRowHeight(int height) {
    row_height_ = height;
    Invalidate();
}

int TServerTable::HeightFor(std::size_t rows) const {
    return row_height_ * static_cast<int>(1 + std::max<std::size_t>(rows, 1)) + 1;
}

TServerTable::Columns TServerTable::ColumnEdges() const {
    const int width = ClientWidth();
    auto scaled = [width](int design) { return MulDiv(design, width, kDesignWidth); };
    Columns c{};
    c.mark = 0;
    c.server = scaled(kMarkWidth);
    c.right = width;
    c.note = width - scaled(kNoteWidth);
    c.result = c.note - scaled(kResultWidth);
    c.time = c.result - scaled(kTimeWidth);
    return c;
}

RECT TServerTable::MarkRect(std::size_t row) const {
    const Columns c = ColumnEdges();
    const int top = row_height_ * static_cast<int>(row + 1);
    const int inset = row_height_ / 5;
    return RECT{c.mark + inset, top + inset, c.server - inset, top + row_height_ - inset};
}

void TServerTable::EraseBackground(TCanvas& canvas) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    Brush face(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    FillRect(canvas.Handle(), &rect, face.get());
}

void TServerTable::Paint(TCanvas& canvas) {
    canvas.SetFont(Font());
    HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    const Columns c = ColumnEdges();
    PaintHeadings(dc, c);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (rows_.empty()) {
        TextIn(dc, Tr("No server was probed."), RECT{c.server, row_height_, c.right, 2 * row_height_});
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) PaintRow(dc, c, i);
    RECT rect;
    GetClientRect(Handle(), &rect);
    Brush rule(CreateSolidBrush(kRule));
    FrameRect(dc, &rect, rule.get());
}

void TServerTable::PaintHeadings(HDC dc, const Columns& c) const {
    RECT band{0, 0, c.right, row_height_};
    Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &band, face.get());
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextIn(dc, Tr("Server"), RECT{c.server, 0, c.time, row_height_});
    TextIn(dc, Tr("Time"), RECT{c.time, 0, c.result, row_height_}, DT_RIGHT);
    TextIn(dc, Tr("Result"), RECT{c.result, 0, c.note, row_height_});
    TextIn(dc, Tr("Note"), RECT{c.note, 0, c.right, row_height_});
}

void TServerTable::PaintRow(HDC dc, const Columns& c, std::size_t index) const {
    const ServerRow& row = rows_[index];
    const int top = row_height_ * static_cast<int>(index + 1);
    if (row.chosen) {
        RECT band{0, top, c.right, top + row_height_};
        Brush tint(CreateSolidBrush(kChosenTint));
        FillRect(dc, &band, tint.get());
    }
    Pen rule(CreatePen(PS_SOLID, 1, kRule));
    {
        SelectObjectScope p(dc, rule.get());
        MoveToEx(dc, 0, top, nullptr);
        LineTo(dc, c.right, top);
    }
    PaintMark(dc, MarkRect(index), row.ok);
    TextIn(dc, row.address, RECT{c.server, top, c.time, top + row_height_});
    TextIn(dc, RowTime(row), RECT{c.time, top, c.result, top + row_height_}, DT_RIGHT);
    TextIn(dc, row.result, RECT{c.result, top, c.note, top + row_height_});
    TextIn(dc, RowNote(row), RECT{c.note, top, c.right, top + row_height_});
}

}  // namespace netprobe::cli
