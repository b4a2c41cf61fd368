#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/server_lifetime.h"

namespace netprobe::testing {

// A plain TCP client to 127.0.0.1 for hand-written exchanges in tests.
class RawClient {
public:
    explicit RawClient(std::uint16_t port);

    bool connected() const { return connection_.open(); }
    bool Send(std::string_view bytes) { return connection_.Send(bytes); }
    // Everything up to and including `delimiter`; empty when it does not arrive in time.
    std::string ReadUntil(std::string_view delimiter, Millis timeout = Millis(5000));
    // Exactly `count` bytes; empty when they do not arrive in time.
    std::string ReadExact(std::size_t count, Millis timeout = Millis(5000));
    // Everything until the server closes (or the time-out passes).
    std::string ReadToEnd(Millis timeout = Millis(5000));
    // True once the server closed (or reset) the connection; reads and drops data meanwhile.
    bool peer_closed() const { return connection_.peer_closed(); }
    // True when that close was a reset (RST) rather than an orderly FIN.
    bool peer_reset() const { return connection_.peer_reset(); }
    void ShutdownSend() { net::ShutdownSend(connection_.socket()); }

private:
    ServerLifetime lifetime_;  // never stopped; only the registry is used
    Connection connection_;
};

// Opens a connection, sends `request` and returns everything received until the server
// closes or `timeout` passes.
std::string Exchange(std::uint16_t port, std::string_view request, Millis timeout = Millis(5000));

}  // namespace netprobe::testing
