#include "tests/support/loopback/socket_compat.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>
#include <stdexcept>

namespace netprobe::testing::net {

namespace {

SOCKET Handle(const Socket& socket) { return static_cast<SOCKET>(socket.handle()); }

NativeSocket Wrap(SOCKET socket) {
    return socket == INVALID_SOCKET ? kInvalidSocket : static_cast<NativeSocket>(socket);
}

sockaddr_in Ipv4Address(std::uint32_t ipv4, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ipv4);
    address.sin_port = htons(port);
    return address;
}

timeval Timeval(int timeout_ms) {
    timeval tv{};
    tv.tv_sec = timeout_ms / 1000;
    tv.tv_usec = (timeout_ms % 1000) * 1000;
    return tv;
}

std::uint16_t PortOf(const sockaddr_in& address) { return ntohs(address.sin_port); }

}  // namespace

void InitSockets() {
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    });
}

void Socket::Close() {
    if (handle_ != kInvalidSocket) ::closesocket(static_cast<SOCKET>(handle_));
    handle_ = kInvalidSocket;
}

Socket ListenLoopback(std::uint16_t port) {
    InitSockets();
    Socket socket(Wrap(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)));
    if (!socket.valid()) throw std::runtime_error("socket() failed");
    BOOL exclusive = TRUE;
    ::setsockopt(Handle(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
                 sizeof exclusive);
    sockaddr_in address = Ipv4Address(kLoopbackAddress, port);
    if (::bind(Handle(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("bind() on 127.0.0.1 failed");
    if (::listen(Handle(socket), 64) != 0) throw std::runtime_error("listen() failed");
    return socket;
}

Socket ConnectIpv4(std::uint32_t ipv4, std::uint16_t port) {
    InitSockets();
    Socket socket(Wrap(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)));
    if (!socket.valid()) return socket;
    sockaddr_in address = Ipv4Address(ipv4, port);
    if (::connect(Handle(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return Socket();
    return socket;
}

Socket Accept(const Socket& listener) { return Socket(Wrap(::accept(Handle(listener), nullptr, nullptr))); }

std::uint16_t LocalPort(const Socket& socket) {
    sockaddr_in address{};
    int size = sizeof address;
    if (::getsockname(Handle(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return PortOf(address);
}

std::uint16_t PeerPort(const Socket& socket) {
    sockaddr_in address{};
    int size = sizeof address;
    if (::getpeername(Handle(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return PortOf(address);
}

WaitResult WaitReadable(const Socket& socket, int timeout_ms) {
    fd_set read_set;
    FD_ZERO(&read_set);
    FD_SET(Handle(socket), &read_set);
    timeval tv = Timeval(timeout_ms);
    int rc = ::select(0, &read_set, nullptr, nullptr, &tv);
    if (rc == SOCKET_ERROR) return WaitResult::kError;
    return rc == 0 ? WaitResult::kTimeout : WaitResult::kReady;
}

WaitResult WaitEitherReadable(const Socket& a, const Socket& b, int timeout_ms, bool& a_ready, bool& b_ready) {
    fd_set read_set;
    FD_ZERO(&read_set);
    FD_SET(Handle(a), &read_set);
    FD_SET(Handle(b), &read_set);
    timeval tv = Timeval(timeout_ms);
    int rc = ::select(0, &read_set, nullptr, nullptr, &tv);
    a_ready = rc > 0 && FD_ISSET(Handle(a), &read_set);
    b_ready = rc > 0 && FD_ISSET(Handle(b), &read_set);
    if (rc == SOCKET_ERROR) return WaitResult::kError;
    return rc == 0 ? WaitResult::kTimeout : WaitResult::kReady;
}

long SendSome(const Socket& socket, const char* data, std::size_t size) {
    int sent = ::send(Handle(socket), data, static_cast<int>(size), 0);
    return sent == SOCKET_ERROR ? -1 : static_cast<long>(sent);
}

long RecvSome(const Socket& socket, char* data, std::size_t size) {
    int got = ::recv(Handle(socket), data, static_cast<int>(size), 0);
    return got == SOCKET_ERROR ? -1 : static_cast<long>(got);
}

void ShutdownSend(const Socket& socket) { ::shutdown(Handle(socket), SD_SEND); }

void ShutdownBoth(NativeSocket handle) { ::shutdown(static_cast<SOCKET>(handle), SD_BOTH); }

void SetAbortiveClose(const Socket& socket) {
    linger option{};
    option.l_onoff = 1;
    option.l_linger = 0;
    ::setsockopt(Handle(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&option), sizeof option);
}

}  // namespace netprobe::testing::net
