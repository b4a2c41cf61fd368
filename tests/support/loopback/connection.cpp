#include "tests/support/loopback/connection.h"

#include <algorithm>
#include <thread>

namespace netprobe::testing {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSliceMs = 50;

}  // namespace

Connection::Connection(net::Socket socket, ServerLifetime& lifetime, int index)
    : socket_(std::move(socket)),
      lifetime_(lifetime),
      index_(index),
      peer_port_(socket_.valid() ? net::PeerPort(socket_) : 0) {
    if (socket_.valid()) lifetime_.Register(socket_.handle());
}

Connection::~Connection() { Close(); }

void Connection::Close() {
    if (!socket_.valid()) return;
    lifetime_.Unregister(socket_.handle());
    socket_.Close();
}

void Connection::Reset() {
    if (!socket_.valid()) return;
    net::SetAbortiveClose(socket_);
    Close();
}

bool Connection::Fill(Clock::time_point deadline) {
    if (!socket_.valid() || peer_closed_) return false;
    while (!stopping() && Clock::now() < deadline) {
        net::WaitResult ready = net::WaitReadable(socket_, kSliceMs);
        if (ready == net::WaitResult::kError) {
            peer_closed_ = true;
            peer_reset_ = true;
            return false;
        }
        if (ready == net::WaitResult::kTimeout) continue;
        char chunk[4096];
        long got = net::RecvSome(socket_, chunk, sizeof chunk);
        if (got <= 0) {
            peer_closed_ = true;
            peer_reset_ = got < 0;
            return false;
        }
        buffer_.append(chunk, static_cast<std::size_t>(got));
        return true;
    }
    return false;
}

bool Connection::ReadUntil(std::string_view delimiter, std::string& out, std::size_t limit, Millis timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        std::size_t at = buffer_.find(delimiter);
        if (at != std::string::npos) {
            out = buffer_.substr(0, at + delimiter.size());
            buffer_.erase(0, at + delimiter.size());
            return true;
        }
        if (buffer_.size() > limit || !Fill(deadline)) return false;
    }
}

bool Connection::ReadExact(std::size_t count, std::string& out, Millis timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (buffer_.size() < count) {
        if (!Fill(deadline)) return false;
    }
    out = buffer_.substr(0, count);
    buffer_.erase(0, count);
    return true;
}

std::string Connection::ReadToEnd(std::size_t limit, Millis timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (buffer_.size() < limit && Fill(deadline)) {
    }
    return TakeBuffered();
}

std::string Connection::TakeBuffered() {
    std::string bytes;
    bytes.swap(buffer_);
    return bytes;
}

bool Connection::Send(std::string_view bytes) {
    for (int attempt = 0; attempt < 100000 && !bytes.empty(); ++attempt) {
        if (!socket_.valid() || stopping()) return false;
        long sent = net::SendSome(socket_, bytes.data(), bytes.size());
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return bytes.empty();
}

bool Connection::Trickle(std::string_view bytes, Millis interval, std::size_t chunk) {
    chunk = std::max<std::size_t>(chunk, 1);
    for (std::size_t i = 0; i < bytes.size(); i += chunk) {
        if (i > 0 && !Pause(interval)) return false;
        if (!Send(bytes.substr(i, chunk))) return false;
    }
    return true;
}

bool Connection::Pause(Millis delay) const {
    const Clock::time_point deadline = Clock::now() + delay;
    while (!stopping()) {
        Clock::time_point now = Clock::now();
        if (now >= deadline) return true;
        auto left = std::chrono::duration_cast<Millis>(deadline - now);
        std::this_thread::sleep_for(std::min(left, Millis(kSliceMs)));
    }
    return false;
}

void Connection::Hold(Millis limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (Clock::now() < deadline && !stopping()) {
        buffer_.clear();  // whatever the peer still sends is ignored
        if (!Fill(deadline) && peer_closed_) return;
    }
}

}  // namespace netprobe::testing
