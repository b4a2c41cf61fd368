#pragma once

#include <string>

#include "tools/check_run.h"
#include "tools/proxy_summary.h"

namespace netprobe::cli {

// What `netprobe test` prints, as UTF-8 text in the current language: the proxy settings, with
// `verbose` every probe with its cause, advice, peer and timings, then the verdict. `direct` is
// the second run without the proxy (--also-direct), or null.
std::string ReportText(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct, bool verbose);

// The line that a failed run without `verbose` ends with: where to see why. Empty after a pass.
std::string VerboseHint(const CheckRun& run, const CheckRun* direct);

// The same as one JSON object, always well-formed UTF-8.
std::string ReportJson(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct);

}  // namespace netprobe::cli
