#include "tests/support/loopback/socket_compat.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace netprobe::testing::net {

namespace {

int Fd(const Socket& socket) { return static_cast<int>(socket.handle()); }

sockaddr_in Ipv4Address(std::uint32_t ipv4, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ipv4);
    address.sin_port = htons(port);
    return address;
}

int PollRetrying(pollfd* fds, nfds_t count, int timeout_ms) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        int rc = ::poll(fds, count, timeout_ms);
        if (rc >= 0 || errno != EINTR) return rc;
    }
    return -1;
}

std::uint16_t PortOf(const sockaddr_in& address) { return ntohs(address.sin_port); }

}  // namespace

void InitSockets() {}

void Socket::Close() {
    if (handle_ != kInvalidSocket) ::close(static_cast<int>(handle_));
    handle_ = kInvalidSocket;
}

Socket ListenLoopback(std::uint16_t port) {
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) throw std::runtime_error("socket() failed");
    int one = 1;
    ::setsockopt(Fd(socket), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address = Ipv4Address(kLoopbackAddress, port);
    if (::bind(Fd(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("bind() on 127.0.0.1 failed");
    if (::listen(Fd(socket), 64) != 0) throw std::runtime_error("listen() failed");
    return socket;
}

Socket ConnectIpv4(std::uint32_t ipv4, std::uint16_t port) {
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) return socket;
    sockaddr_in address = Ipv4Address(ipv4, port);
    if (::connect(Fd(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return Socket();
    return socket;
}

Socket Accept(const Socket& listener) { return Socket(::accept4(Fd(listener), nullptr, nullptr, SOCK_CLOEXEC)); }

std::uint16_t LocalPort(const Socket& socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return PortOf(address);
}

std::uint16_t PeerPort(const Socket& socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getpeername(Fd(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return PortOf(address);
}

WaitResult WaitReadable(const Socket& socket, int timeout_ms) {
    pollfd fd{Fd(socket), POLLIN, 0};
    int rc = PollRetrying(&fd, 1, timeout_ms);
    if (rc < 0) return WaitResult::kError;
    return rc == 0 ? WaitResult::kTimeout : WaitResult::kReady;
}

WaitResult WaitEitherReadable(const Socket& a, const Socket& b, int timeout_ms, bool& a_ready, bool& b_ready) {
    pollfd fds[2] = {{Fd(a), POLLIN, 0}, {Fd(b), POLLIN, 0}};
    int rc = PollRetrying(fds, 2, timeout_ms);
    a_ready = rc > 0 && fds[0].revents != 0;
    b_ready = rc > 0 && fds[1].revents != 0;
    if (rc < 0) return WaitResult::kError;
    return rc == 0 ? WaitResult::kTimeout : WaitResult::kReady;
}

long SendSome(const Socket& socket, const char* data, std::size_t size) {
    ssize_t sent = ::send(Fd(socket), data, size, MSG_NOSIGNAL);
    return sent < 0 ? -1 : static_cast<long>(sent);
}

long RecvSome(const Socket& socket, char* data, std::size_t size) {
    ssize_t got = ::recv(Fd(socket), data, size, 0);
    return got < 0 ? -1 : static_cast<long>(got);
}

void ShutdownSend(const Socket& socket) { ::shutdown(Fd(socket), SHUT_WR); }

void ShutdownBoth(NativeSocket handle) { ::shutdown(static_cast<int>(handle), SHUT_RDWR); }

void SetAbortiveClose(const Socket& socket) {
    linger option{1, 0};
    ::setsockopt(Fd(socket), SOL_SOCKET, SO_LINGER, &option, sizeof option);
}

}  // namespace netprobe::testing::net
