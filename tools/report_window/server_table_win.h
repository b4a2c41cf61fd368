#pragma once
// The report window's table of servers: one row per probe with a drawn status mark (a tick on
// green, a cross on red), the server's address, the time, the result in words and a note
// ("chosen", "checked again"), under a row of column headings. The chosen server's row is
// tinted. Texts are UTF-8, drawn as Unicode whatever the code page.
#include <string>
#include <vector>

#include "tools/report_window/report_summary.h"
#include "ui/kit/custom_control.h"

namespace netprobe::cli {

class TServerTable : public ui::TCustomControl {
public:
    explicit TServerTable(const ui::ControlArgs& args);

    void SetRows(std::vector<ServerRow> rows);
    const std::vector<ServerRow>& Rows() const { return rows_; }
    // The height of a row (the headings' included), in pixels; the table is as high as
    // HeightFor(rows) makes it.
    void SetRowHeight(int height);
    int RowHeight() const { return row_height_; }
    int HeightFor(std::size_t rows) const;
    // The column of a row's mark: where it is drawn (client coordinates), for the tests.
    RECT MarkRect(std::size_t row) const;

protected:
    void EraseBackground(ui::TCanvas& canvas) override;
    void Paint(ui::TCanvas& canvas) override;

private:
    struct Columns {
        int mark, server, time, result, note, right;  // left edges, and the right end
    };
    Columns ColumnEdges() const;
    void PaintHeadings(HDC dc, const Columns& c) const;
    void PaintRow(HDC dc, const Columns& c, std::size_t index) const;

    std::vector<ServerRow> rows_;
    int row_height_ = 22;
};

}  // namespace netprobe::cli
