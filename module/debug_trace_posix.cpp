#include "module/debug_trace.h"

namespace netprobe {

ProbeObserver* DebugTraceObserver() { return nullptr; }

}  // namespace netprobe
