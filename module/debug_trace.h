#pragma once

namespace netprobe {

class ProbeObserver;

// The observer that tells a debugger why each probe of a test ended as it did: one line per
// probe on the system's debug output. Null where the system has none. The host sees nothing
// of it.
ProbeObserver* DebugTraceObserver();

}  // namespace netprobe
