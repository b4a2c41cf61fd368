#pragma once

// Thin portability layer over BSD sockets / Winsock2 for the loopback test peers.
// Everything here talks to 127.0.0.1 only; names are never resolved.

#include <cstddef>
#include <cstdint>
#include <string>

namespace netprobe::testing::net {

// A socket handle wide enough for both an int descriptor and a Winsock SOCKET.
using NativeSocket = std::intptr_t;
inline constexpr NativeSocket kInvalidSocket = -1;
inline constexpr std::uint32_t kLoopbackAddress = 0x7F000001;  // 127.0.0.1, host order

// Prepares the socket library once per process (WSAStartup on Windows).
void InitSockets();

// Owns one socket handle; closes it on destruction. Move-only.
class Socket {
public:
    Socket() = default;
    explicit Socket(NativeSocket handle) : handle_(handle) {}
    ~Socket() { Close(); }
    Socket(Socket&& other) noexcept : handle_(other.Release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return handle_ != kInvalidSocket; }
    NativeSocket handle() const { return handle_; }
    NativeSocket Release();
    void Close();

private:
    NativeSocket handle_ = kInvalidSocket;
};

// Listens on 127.0.0.1:port (0 = ephemeral). Throws std::runtime_error on failure.
Socket ListenLoopback(std::uint16_t port);
// Blocking connect to ipv4 (host order):port. Invalid socket when refused or failed.
Socket ConnectIpv4(std::uint32_t ipv4, std::uint16_t port);
// Accepts one pending connection; invalid socket on failure.
Socket Accept(const Socket& listener);

std::uint16_t LocalPort(const Socket& socket);
std::uint16_t PeerPort(const Socket& socket);

enum class WaitResult { kReady, kTimeout, kError };
// Waits until the socket is readable (data, end of stream or error) or the time-out passes.
WaitResult WaitReadable(const Socket& socket, int timeout_ms);
// Waits on two sockets; sets the flags of those readable. kReady when either is.
WaitResult WaitEitherReadable(const Socket& a, const Socket& b, int timeout_ms, bool& a_ready, bool& b_ready);

// Bytes sent / received (>= 0), or -1 on error. Receiving 0 means the peer closed.
long SendSome(const Socket& socket, const char* data, std::size_t size);
long RecvSome(const Socket& socket, char* data, std::size_t size);

// Half-closes the sending direction.
void ShutdownSend(const Socket& socket);
// Shuts down both directions of a handle owned elsewhere (wakes blocked calls on it).
void ShutdownBoth(NativeSocket handle);
// Makes the next close send RST instead of FIN (SO_LINGER with zero time-out).
void SetAbortiveClose(const Socket& socket);

// Dotted-quad text of an IPv4 address in host order.
std::string Ipv4Text(std::uint32_t ipv4);

}  // namespace netprobe::testing::net
