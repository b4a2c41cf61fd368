#include "tests/support/loopback/unused_port.h"

#include "tests/support/loopback/socket_compat.h"

namespace netprobe::testing {

std::uint16_t UnusedLoopbackPort() {
    net::Socket listener = net::ListenLoopback(0);
    return net::LocalPort(listener);
}

}  // namespace netprobe::testing
