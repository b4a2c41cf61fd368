#include "tests/conntest/test_resolver.h"

namespace netprobe::testing {

// Winsock's resolver can't be replaced from inside the process without hooking the system:
// the unresolvable-name case is skipped on Windows.
bool TestResolverInstalled() { return false; }

}  // namespace netprobe::testing
