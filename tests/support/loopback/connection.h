#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/loopback/server_lifetime.h"
#include "tests/support/loopback/socket_compat.h"

namespace netprobe::testing {

using Millis = std::chrono::milliseconds;

// One TCP connection with buffered, time-limited reads that give up as soon as the owning
// server stops. Registered with the server's lifetime while open.
class Connection {
public:
    Connection(net::Socket socket, ServerLifetime& lifetime, int index = 0);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Reads until `delimiter` has arrived; `out` gets everything up to and including it.
    // False when the peer closes, the limit or the time-out is reached, or the server stops.
    bool ReadUntil(std::string_view delimiter, std::string& out, std::size_t limit, Millis timeout);
    // Reads exactly `count` bytes.
    bool ReadExact(std::size_t count, std::string& out, Millis timeout);
    // Reads until the peer closes (or limit / time-out / stop) and returns all bytes read.
    std::string ReadToEnd(std::size_t limit, Millis timeout);
    // Returns (and forgets) bytes received but not consumed yet.
    std::string TakeBuffered();

    bool Send(std::string_view bytes);
    // Sends the bytes `chunk` at a time with `interval` between them; false when it fails or
    // stops.
    bool Trickle(std::string_view bytes, Millis interval, std::size_t chunk = 1);
    // Keeps the connection open without a word until the peer closes, the server stops or
    // `limit` passes.
    void Hold(Millis limit);
    // Waits `delay` unless the server stops first; false when it stopped.
    bool Pause(Millis delay) const;
    // Closes at once with a TCP reset.
    void Reset();
    void Close();

    bool open() const { return socket_.valid(); }
    bool stopping() const { return lifetime_.stopping(); }
    bool peer_closed() const { return peer_closed_; }
    // The peer closed with a reset (or the connection failed) rather than an orderly close.
    bool peer_reset() const { return peer_reset_; }
    int index() const { return index_; }
    std::uint16_t peer_port() const { return peer_port_; }
    const net::Socket& socket() const { return socket_; }

private:
    // Receives more bytes into the buffer; false on close, error, time-out or stop.
    bool Fill(std::chrono::steady_clock::time_point deadline);

    net::Socket socket_;
    ServerLifetime& lifetime_;
    int index_;
    std::uint16_t peer_port_;
    std::string buffer_;
    bool peer_closed_ = false;
    bool peer_reset_ = false;
};

}  // namespace netprobe::testing
