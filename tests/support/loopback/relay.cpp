#include "tests/support/loopback/relay.h"

namespace netprobe::testing {

namespace {

constexpr int kSliceMs = 50;

// Moves one chunk from `from` to `to`; false when `from` closed or sending failed.
bool Forward(Connection& from, Connection& to) {
    char chunk[16384];
    long got = net::RecvSome(from.socket(), chunk, sizeof chunk);
    if (got <= 0) return false;
    return to.Send(std::string_view(chunk, static_cast<std::size_t>(got)));
}

}  // namespace

void Relay(Connection& a, Connection& b, Millis limit) {
    if (!b.Send(a.TakeBuffered()) || !a.Send(b.TakeBuffered())) return;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!a.stopping() && std::chrono::steady_clock::now() < deadline) {
        bool a_ready = false;
        bool b_ready = false;
        net::WaitResult ready = net::WaitEitherReadable(a.socket(), b.socket(), kSliceMs, a_ready, b_ready);
        if (ready == net::WaitResult::kError) return;
        if (a_ready && !Forward(a, b)) return;
        if (b_ready && !Forward(b, a)) return;
    }
}

}  // namespace netprobe::testing
