#pragma once
// The report a double-clicked netprobe.exe shows after its test, in the current language: a
// headline that says whether the software can update, the one thing to do next, a table of the
// servers probed, and the technical report behind a Details button. The report can be copied
// (Copy report, Ctrl+C) and saved as a UTF-8 text file with its JSON (Save report…); Enter
// and Escape close the window. Laid out at 96 DPI and scaled to the screen's resolution.
#include <functional>
#include <string>

#include "tools/check_run.h"
#include "tools/proxy_summary.h"
#include "tools/report_window/server_table_win.h"
#include "ui/kit/flat_button.h"
#include "ui/kit/form.h"
#include "ui/kit/label.h"
#include "ui/kit/skin_edit.h"

namespace netprobe::cli {

class TReportForm : public ui::TForm {
public:
    explicit TReportForm(ui::TComponent* owner = nullptr);

    ui::FormArgs DefaultFormArgs() const override;
    void SetReport(const ProxySummary& proxy, const CheckRun& run);
    // The technical report (UTF-8), as the memo shows it and Copy report copies it.
    const std::string& ReportText() const { return report_; }

    bool DetailsShown() const { return details_; }
    void ShowDetails(bool shown);
    void CopyReport();
    void SaveReport();

    // Where Save report writes: asked with the system's save dialog, offering today's file
    // name; empty when the user cancelled. A test gives a path of its own.
    std::function<std::wstring(HWND owner, const std::wstring& suggested)> ChooseSavePath;

    ui::TLabel* lblHeadline = nullptr;
    ui::TLabel* lblNextCaption = nullptr;
    ui::TLabel* lblNextStep = nullptr;
    TServerTable* tblServers = nullptr;
    ui::TFlatButton* btnDetails = nullptr;
    ui::TSkinMemo* memoReport = nullptr;
    ui::TLabel* lblStatus = nullptr;
    ui::TFlatButton* btnCopy = nullptr;
    ui::TFlatButton* btnSave = nullptr;
    ui::TFlatButton* btnClose = nullptr;

protected:
    void CreateComponents() override;
    void DoCreate() override { Layout(); }
    void KeyDown(WORD& key, ui::TShiftState shift) override;

private:
    void CreateButtons();
    void MemoKey(char& key);
    void Layout();
    int LayoutBody(int top, int width);
    void LayoutButtons(int top);
    void KeepOnScreen();

    std::string report_;
    std::string saved_;  // what a saved report holds: the report and its JSON
    bool details_ = false;
};

}  // namespace netprobe::cli
