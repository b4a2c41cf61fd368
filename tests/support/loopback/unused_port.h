#pragma once

#include <cstdint>

namespace netprobe::testing {

// A loopback port nobody listens on right now (bound to 0, read, closed): connecting to it is
// refused. Another process may take it later, so use it at once.
std::uint16_t UnusedLoopbackPort();

}  // namespace netprobe::testing
