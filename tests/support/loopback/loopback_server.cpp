#include "tests/support/loopback/loopback_server.h"

namespace netprobe::testing {

namespace {

constexpr int kSliceMs = 50;
constexpr int kMaxConnections = 1000000;

}  // namespace

LoopbackServer::LoopbackServer(Handler handler)
    : handler_(std::move(handler)), listener_(net::ListenLoopback(0)), port_(net::LocalPort(listener_)) {
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() { Stop(); }

void LoopbackServer::Stop() {
    lifetime_.Stop();
    if (acceptor_.joinable()) acceptor_.join();
    std::vector<Worker> workers;
    {
        std::lock_guard lock(threads_mutex_);
        workers.swap(threads_);
    }
    for (Worker& worker : workers) worker.thread.join();
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
        ReapFinished();
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::thread thread([this, index, done, socket = std::move(client)]() mutable {
            Serve(std::move(socket), index);
            done->store(true);
        });
        threads_.push_back({std::move(thread), std::move(done)});
    }
}

// Joins the connection threads that have ended, so a long-running server keeps only the
// live ones. Called with threads_mutex_ held.
void LoopbackServer::ReapFinished() {
    for (auto it = threads_.begin(); it != threads_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = threads_.erase(it);
        } else {
            ++it;
        }
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
