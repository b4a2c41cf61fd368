#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/server_lifetime.h"
#include "tests/support/loopback/socket_compat.h"

namespace netprobe::testing {

// A TCP listener on 127.0.0.1 with an ephemeral port. Accepts on its own thread and runs the
// handler for each connection on a thread of its own. Stopping (or destroying) wakes and joins
// every thread, hung connections included.
class LoopbackServer {
public:
    using Handler = std::function<void(Connection&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t port() const { return port_; }
    // Connections accepted so far.
    int accepted() const { return accepted_.load(); }
    // The lifetime that connections opened by the handler (e.g. upstream) must join.
    ServerLifetime& lifetime() { return lifetime_; }
    void Stop();

private:
    void AcceptLoop();
    void Serve(net::Socket client, int index);

    Handler handler_;
    ServerLifetime lifetime_;
    net::Socket listener_;
    std::uint16_t port_ = 0;
    std::atomic<int> accepted_{0};
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void ReapFinished();

    std::mutex threads_mutex_;
    std::vector<Worker> threads_;
    std::thread acceptor_;
};

}  // namespace netprobe::testing
