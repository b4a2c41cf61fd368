#pragma once

// Internal to the SOCKS server: the two handshakes.

#include <memory>
#include <string>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/server_lifetime.h"
#include "tests/support/loopback/socks_server.h"

namespace netprobe::testing::socks {

inline constexpr Millis kHandshakeTimeout{10000};

// Reads handshake bytes and keeps a copy of each in the record.
class HandshakeReader {
public:
    HandshakeReader(Connection& client, SocksRecord& record) : client_(client), record_(record) {}
    bool Read(std::size_t count, std::string& out) {
        if (!client_.ReadExact(count, out, kHandshakeTimeout)) return false;
        record_.handshake += out;
        return true;
    }
    bool ReadByte(int& value) {
        std::string byte;
        if (!Read(1, byte)) return false;
        value = static_cast<unsigned char>(byte[0]);
        return true;
    }

private:
    Connection& client_;
    SocksRecord& record_;
};

// Sends a handshake reply after the configured delay; false when the server stopped first.
inline bool SendReply(Connection& client, const SocksServer::Settings& settings, const std::string& reply) {
    if (settings.reply_delay.count() > 0 && !client.Pause(settings.reply_delay)) return false;
    return client.Send(reply);
}

// Refuses with `reason` (recorded) and returns no upstream.
inline std::unique_ptr<Connection> Refuse(SocksRecord& record, const std::string& reason) {
    record.failure = reason;
    return nullptr;
}

// Both return the connection to the target when access is granted (the success reply sent),
// nullptr otherwise (the refusal sent where the protocol has one).
std::unique_ptr<Connection> Socks4Handshake(Connection& client, const SocksServer::Settings& settings,
                                            SocksRecord& record, ServerLifetime& lifetime);
std::unique_ptr<Connection> Socks5Handshake(Connection& client, const SocksServer::Settings& settings,
                                            SocksRecord& record, ServerLifetime& lifetime);

// Connects to the target when it is 127.0.0.1; nullptr otherwise.
std::unique_ptr<Connection> ConnectTarget(const SocksRecord& record, ServerLifetime& lifetime);

}  // namespace netprobe::testing::socks
