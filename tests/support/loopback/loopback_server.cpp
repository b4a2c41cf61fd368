#include "loopback_server.h"

namespace netprobe::testing {

namespace {

constexpr int kSliceMs = 50;
constexpr int kMaxConnections = 10000;

}  // namespace

LoopbackServer::LoopbackServer(Handler handler)
    : handler_(std::move(handler)), listener_(net::ListenLoopback(0)),
      port_(net::LocalPort(listener_)) {
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() { Stop(); }

void LoopbackServer::Stop() {
    lifetime_.Stop();
    if (acceptor_.joinable()) acceptor_.join();
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(threads_mutex_);
        threads.swap(threads_);
    }
    for (std::thread& thread : threads) thread.join();
    listener_.Close();
}

void LoopbackServer::AcceptLoop() {
    while (!lifetime_.stopping() && accepted_.load() < kMaxConnections) {
        net::WaitResult ready = net::WaitReadable(listener_, kSliceMs);
        if (ready == net::WaitResult::kError) return;
        if (ready == net::WaitResult::kTimeout) continue;
        net::Socket client = net::Accept(listener_);
        if (!client.valid()) continue;
        int index = ++accepted_;
        std::lock_guard lock(threads_mutex_);
        threads_.emplace_back([this, index, socket = std::move(client)]() mutable {
            Serve(std::move(socket), index);
        });
    }
}

void LoopbackServer::Serve(net::Socket client, int index) {
    Connection connection(std::move(client), lifetime_, index);
    try {
        handler_(connection);
    } catch (...) {
        // A failing exchange only ends its own connection.
    }
}

}  // namespace netprobe::testing
