#include "tests/support/loopback/socket_compat.h"

namespace netprobe::testing::net {

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.Release();
    }
    return *this;
}

NativeSocket Socket::Release() {
    NativeSocket handle = handle_;
    handle_ = kInvalidSocket;
    return handle;
}

std::string Ipv4Text(std::uint32_t ipv4) {
    return std::to_string((ipv4 >> 24) & 0xFF) + "." + std::to_string((ipv4 >> 16) & 0xFF) + "." +
           std::to_string((ipv4 >> 8) & 0xFF) + "." + std::to_string(ipv4 & 0xFF);
}

}  // namespace netprobe::testing::net
