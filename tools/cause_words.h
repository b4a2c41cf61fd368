#pragma once

#include "conntest/probe_diagnosis.h"

namespace netprobe::cli {

// A probe's outcome in a few plain words of the current language ("connection refused"), for a
// table of servers; CauseName stays the identifier for scripts.
const char* CauseInWords(ProbeCause cause);

}  // namespace netprobe::cli
