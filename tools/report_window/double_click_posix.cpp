#include "tools/cli.h"
#include "tools/report_window/double_click.h"

namespace netprobe::cli {

bool OwnsItsConsole() { return false; }

int RunCheckInWindow() { return kExitUsage; }

}  // namespace netprobe::cli
