#pragma once

#include <string>

#include "tools/check_run.h"
#include "tools/json_writer.h"
#include "tools/proxy_summary.h"

namespace netprobe::cli {

// What `netprobe test` prints, as UTF-8 text: the proxy settings, with `verbose` every probe
// with its cause, advice, peer and timings, then the verdict. `direct` is the second run
// without the proxy (--also-direct), or null.
std::string ReportText(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct, bool verbose);

// The same as one JSON object.
std::string ReportJson(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct);

}  // namespace netprobe::cli
