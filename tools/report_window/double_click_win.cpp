#include <windows.h>

#include <memory>

#include "core/texts.h"
#include "tools/check_run.h"
#include "tools/cli.h"
#include "tools/proxy_summary.h"
#include "tools/report_window/double_click.h"
#include "tools/report_window/report_form_win.h"
#include "tools/report_window/wait_steps_win.h"
#include "ui/f_Status.h"

namespace netprobe::cli {

bool OwnsItsConsole() {
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1) return false;
    // Output sent to a file or a pipe has a reader: that is a caller, not Explorer.
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

int RunCheckInWindow() {
    // The console that came with the program has nothing to show.
    if (HWND console = GetConsoleWindow()) ShowWindow(console, SW_HIDE);
    ui::ShowStatus(texts::UpdateServerTesting());
    const ProxySummary proxy = ReadProxySummary();
    WaitWindowSteps steps;
    const CheckRun run = RunCheck({}, &steps);
    ui::HideStatus();
    std::unique_ptr<TReportForm> form(ui::CreateForm<TReportForm>());
    form->SetReport(proxy, run);
    form->ShowModal();
    return run.passed ? kExitOk : kExitFailed;
}

}  // namespace netprobe::cli
