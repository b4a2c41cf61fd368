#include "tests/support/loopback/server_lifetime.h"

namespace netprobe::testing {

void ServerLifetime::Stop() {
    std::lock_guard lock(mutex_);
    stopping_.store(true, std::memory_order_release);
    for (net::NativeSocket handle : sockets_) net::ShutdownBoth(handle);
}

void ServerLifetime::Register(net::NativeSocket handle) {
    std::lock_guard lock(mutex_);
    sockets_.insert(handle);
    if (stopping_.load(std::memory_order_acquire)) net::ShutdownBoth(handle);
}

void ServerLifetime::Unregister(net::NativeSocket handle) {
    std::lock_guard lock(mutex_);
    sockets_.erase(handle);
}

}  // namespace netprobe::testing
