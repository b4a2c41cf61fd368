#include "tests/support/loopback/socks_handshake.h"

namespace netprobe::testing::socks {

namespace {

constexpr int kGranted = 90;
constexpr int kRejected = 91;
constexpr std::size_t kMaxUserId = 255;

std::uint32_t Be32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::string Reply(int code, const std::string& request) {
    std::string reply = {'\0', static_cast<char>(code)};
    return reply + request.substr(2, 6);  // DSTPORT and DSTIP echoed
}

// Reads the null-terminated user ID.
bool ReadUserId(HandshakeReader& reader, std::string& user_id) {
    for (std::size_t i = 0; i <= kMaxUserId; ++i) {
        std::string byte;
        if (!reader.Read(1, byte)) return false;
        if (byte[0] == '\0') return true;
        user_id += byte;
    }
    return false;
}

// Why the request must be refused, or empty.
std::string Check(const SocksRecord& record, const SocksServer::Settings& settings) {
    if (record.version != 4) return "version is not 4";
    if (record.command != 1) return "command is not CONNECT";
    if (record.target_ip != 0 && record.target_ip <= 0xFF)
        return "SOCKS4A address 0.0.0.x: the client must resolve the name itself";
    if (settings.check_user && record.user != settings.user) return "user ID mismatch";
    return {};
}

}  // namespace

std::unique_ptr<Connection> Socks4Handshake(Connection& client, const SocksServer::Settings& settings,
                                            SocksRecord& record, ServerLifetime& lifetime) {
    HandshakeReader reader(client, record);
    std::string request;
    if (!reader.Read(8, request)) return Refuse(record, "closed before the request was complete");
    record.version = static_cast<unsigned char>(request[0]);
    record.command = static_cast<unsigned char>(request[1]);
    record.target_port = static_cast<std::uint16_t>((static_cast<unsigned char>(request[2]) << 8) |
                                                    static_cast<unsigned char>(request[3]));
    record.target_ip = Be32(request, 4);
    if (settings.fault == SocksFault::kCloseDuringHandshake)
        return Refuse(record, "closed during the handshake (fault)");
    if (!ReadUserId(reader, record.user)) return Refuse(record, "user ID not terminated");
    if (settings.fault == SocksFault::kMalformedReply) {
        client.Send(std::string("\x04\x5A\x00\x00\x00\x00\x00\x00", 8));
        return Refuse(record, "malformed reply sent (fault)");
    }
    std::string failure = Check(record, settings);
    std::unique_ptr<Connection> target = failure.empty() ? ConnectTarget(record, lifetime) : nullptr;
    if (failure.empty() && !target) failure = "target unreachable";
    SendReply(client, settings, Reply(failure.empty() ? kGranted : kRejected, request));
    return failure.empty() ? std::move(target) : Refuse(record, failure);
}

}  // namespace netprobe::testing::socks
