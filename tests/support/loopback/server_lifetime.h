#pragma once

#include <atomic>
#include <mutex>
#include <set>

#include "tests/support/loopback/socket_compat.h"

namespace netprobe::testing {

// The stop flag of one server and the sockets its connection threads currently use, so that
// stopping can wake every blocked call by shutting those sockets down.
class ServerLifetime {
public:
    bool stopping() const { return stopping_.load(std::memory_order_acquire); }

    // Sets the flag and shuts down every registered socket (and any registered later).
    void Stop();

    void Register(net::NativeSocket handle);
    void Unregister(net::NativeSocket handle);

private:
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::set<net::NativeSocket> sockets_;
};

}  // namespace netprobe::testing
