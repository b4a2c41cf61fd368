#include "tools/report_window/wait_steps_win.h"

#include <windows.h>

#include <string>

#include "core/gbk.h"
#include "core/texts.h"
#include "tools/progress_line.h"
#include "ui/f_Status.h"

namespace netprobe::cli {

// The driver runs on the thread that owns the wait window, and its waits for a probe handle
// that thread's messages: the window is changed right here, and repaints on the next of them.
// A window of another thread is left alone.
void WaitWindowSteps::OnProbeStart(const ProbeStart& start) {
    const ui::Tfrm_Status* window = ui::StatusWindow();
    if (!window || GetWindowThreadProcessId(window->Handle(), nullptr) != GetCurrentThreadId()) return;
    ui::ShowStatus(std::string(texts::UpdateServerTesting()) + "\n" + Utf8ToGbk(ProgressStep(start)));
}

}  // namespace netprobe::cli
