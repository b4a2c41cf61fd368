#include "tests/support/loopback/socks_server.h"

#include <stdexcept>

#include "tests/support/loopback/relay.h"
#include "tests/support/loopback/socks_handshake.h"

namespace netprobe::testing {

namespace {

constexpr Millis kRelayLimit{120000};

}  // namespace

namespace socks {

std::unique_ptr<Connection> ConnectTarget(const SocksRecord& record, ServerLifetime& lifetime) {
    if (record.target_ip != net::kLoopbackAddress) return nullptr;  // never leave the machine
    net::Socket socket = net::ConnectIpv4(record.target_ip, record.target_port);
    if (!socket.valid()) return nullptr;
    return std::make_unique<Connection>(std::move(socket), lifetime);
}

}  // namespace socks

SocksServer::SocksServer(int version) : version_(version), server_([this](Connection& client) { Serve(client); }) {
    if (version != 4 && version != 5) throw std::invalid_argument("SOCKS version must be 4 or 5");
}

std::string SocksServer::Url() const {
    return "socks" + std::to_string(version_) + "://127.0.0.1:" + std::to_string(port());
}

void SocksServer::ExpectUserId(const std::string& user_id) {
    std::lock_guard lock(mutex_);
    settings_.check_user = true;
    settings_.user = user_id;
}

void SocksServer::ExpectCredentials(const std::string& user, const std::string& password) {
    std::lock_guard lock(mutex_);
    settings_.check_user = true;
    settings_.user = user;
    settings_.password = password;
}

void SocksServer::SetFault(SocksFault fault) {
    std::lock_guard lock(mutex_);
    settings_.fault = fault;
}

void SocksServer::SetReplyDelay(Millis delay) {
    std::lock_guard lock(mutex_);
    settings_.reply_delay = delay;
}

SocksServer::Settings SocksServer::settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

void SocksServer::Serve(Connection& client) {
    SocksRecord record;
    std::unique_ptr<Connection> target = version_ == 4
                                             ? socks::Socks4Handshake(client, settings(), record, server_.lifetime())
                                             : socks::Socks5Handshake(client, settings(), record, server_.lifetime());
    record.granted = target != nullptr;
    records_.Add(record);
    if (target) Relay(client, *target, kRelayLimit);
}

}  // namespace netprobe::testing
