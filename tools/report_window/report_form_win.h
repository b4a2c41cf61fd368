#pragma once
// The report a double-clicked netprobe.exe shows after its test: the verdict in large type,
// the whole report (proxy settings, each probe with its cause and advice) in a read-only memo,
// and buttons that copy the report to the clipboard and close the window.
#include <string>

#include "ui/kit/flat_button.h"
#include "ui/kit/form.h"
#include "ui/kit/label.h"
#include "ui/kit/skin_edit.h"

namespace netprobe::cli {

class TReportForm : public ui::TForm {
public:
    explicit TReportForm(ui::TComponent* owner = nullptr) : ui::TForm(owner) {}

    ui::FormArgs DefaultFormArgs() const override;
    // The verdict line and the report, both UTF-8; controls show escaped (DisplayText).
    void SetReport(bool passed, const std::string& verdict, const std::string& report);
    const std::string& ReportText() const { return report_; }

    ui::TLabel* lblVerdict = nullptr;
    ui::TSkinMemo* memoReport = nullptr;
    ui::TFlatButton* btnCopy = nullptr;
    ui::TFlatButton* btnClose = nullptr;
    ui::TLabel* lblCopied = nullptr;

protected:
    void CreateComponents() override;

private:
    void CopyClick();
    std::string report_;
};

// Puts UTF-8 text on the clipboard as Unicode text with CR LF line ends. False when the
// clipboard could not be had.
bool CopyToClipboard(HWND owner, const std::string& utf8);

}  // namespace netprobe::cli
