#pragma once

#include <string>

#include "conntest/driver.h"
#include "tools/proxy_summary.h"

namespace netprobe::cli {

// One line of plain advice for a probe's outcome, for the person fixing the network; empty
// where none helps (a passed probe). UTF-8, in the current language.
std::string ProbeAdvice(const ProbeReport& report, const ProxySummary& proxy);

}  // namespace netprobe::cli
