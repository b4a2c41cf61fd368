#include "tests/support/loopback/raw_client.h"

namespace netprobe::testing {

namespace {

constexpr std::size_t kReadLimit = 1 << 20;

}  // namespace

RawClient::RawClient(std::uint16_t port) : connection_(net::ConnectIpv4(net::kLoopbackAddress, port), lifetime_) {}

std::string RawClient::ReadUntil(std::string_view delimiter, Millis timeout) {
    std::string out;
    return connection_.ReadUntil(delimiter, out, kReadLimit, timeout) ? out : std::string();
}

std::string RawClient::ReadExact(std::size_t count, Millis timeout) {
    std::string out;
    return connection_.ReadExact(count, out, timeout) ? out : std::string();
}

std::string RawClient::ReadToEnd(Millis timeout) { return connection_.ReadToEnd(kReadLimit, timeout); }

std::string Exchange(std::uint16_t port, std::string_view request, Millis timeout) {
    RawClient client(port);
    if (!client.Send(request)) return {};
    return client.ReadToEnd(timeout);
}

}  // namespace netprobe::testing
