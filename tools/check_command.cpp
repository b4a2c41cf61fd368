// netprobe test: the update-server check that the host runs, with what happened on the way.
#include <optional>

#include "core/translate.h"
#include "tools/check_report.h"
#include "tools/check_run.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"
#include "tools/progress_line.h"
#include "tools/proxy_summary.h"

namespace netprobe::cli {

int CheckCommand(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, options, true, true)) return kExitUsage;
    const ProxySummary proxy = ReadProxySummary();
    // On standard error, so that standard output holds the report alone, as a file gets it.
    ProgressLine progress(console::Stream::kError);
    const CheckRun run = RunCheck({}, &progress);
    std::optional<CheckRun> direct;
    // Only a check that went through a proxy has a direct counterpart worth the extra requests.
    if (options.also_direct && proxy.enabled) {
        progress.SetDirect(true);
        direct = RunCheck({.direct = true}, &progress);
    }
    progress.Finish();
    if (options.json) {
        console::Print("%s\n", ReportJson(proxy, run, direct ? &*direct : nullptr).c_str());
    } else {
        const CheckRun* second = direct ? &*direct : nullptr;
        console::Print("%s", ReportText(proxy, run, second, options.verbose).c_str());
        if (options.also_direct && !proxy.enabled)
            console::Print("%s\n", Tr("--also-direct: the proxy is off; nothing more to run"));
        if (!options.verbose) console::Print("%s", VerboseHint(run, second).c_str());
    }
    return run.passed ? kExitOk : kExitFailed;
}

}  // namespace netprobe::cli
