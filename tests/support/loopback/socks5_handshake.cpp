#include "tests/support/loopback/socks_handshake.h"

#include <algorithm>

namespace netprobe::testing::socks {

namespace {

constexpr int kNoAuth = 0x00;
constexpr int kUserPassword = 0x02;
constexpr int kNoAcceptable = 0xFF;

constexpr int kSucceeded = 0x00;
constexpr int kNotAllowed = 0x02;
constexpr int kRefused = 0x05;
constexpr int kCommandNotSupported = 0x07;
constexpr int kAddressNotSupported = 0x08;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

std::string Reply(int code, std::uint16_t bound_port) {
    return Bytes({5, code, 0, 1, 127, 0, 0, 1, bound_port >> 8, bound_port & 0xFF});
}

std::uint32_t Be(const std::string& bytes) {
    std::uint32_t value = 0;
    for (char c : bytes) value = (value << 8) | static_cast<unsigned char>(c);
    return value;
}

bool ReadGreeting(HandshakeReader& reader, SocksRecord& record) {
    int count = 0;
    if (!reader.ReadByte(record.version) || !reader.ReadByte(count)) return false;
    std::string methods;
    if (!reader.Read(static_cast<std::size_t>(count), methods)) return false;
    for (char m : methods) record.methods.push_back(static_cast<std::uint8_t>(m));
    return true;
}

bool Offers(const SocksRecord& record, int method) {
    return std::find(record.methods.begin(), record.methods.end(), method) != record.methods.end();
}

// RFC 1929 sub-negotiation; empty on success, else why it failed (reply already sent).
std::string Authenticate(Connection& client, HandshakeReader& reader, const SocksServer::Settings& settings,
                         SocksRecord& record) {
    int version = 0;
    int length = 0;
    if (!reader.ReadByte(version) || !reader.ReadByte(length) ||
        !reader.Read(static_cast<std::size_t>(length), record.user) || !reader.ReadByte(length) ||
        !reader.Read(static_cast<std::size_t>(length), record.password))
        return "closed during user/password sub-negotiation";
    bool ok = version == 1 && record.user == settings.user && record.password == settings.password;
    SendReply(client, settings, Bytes({1, ok ? 0 : 1}));
    if (version != 1) return "user/password sub-negotiation version is not 1";
    return ok ? std::string() : "wrong user name or password";
}

// Picks the method and authenticates; empty on success, else the failure.
std::string Negotiate(Connection& client, HandshakeReader& reader, const SocksServer::Settings& settings,
                      SocksRecord& record) {
    if (record.version != 5) return "version is not 5";
    int method = settings.check_user ? kUserPassword : kNoAuth;
    if (!Offers(record, method)) {
        SendReply(client, settings, Bytes({5, kNoAcceptable}));
        return settings.check_user ? "user/password method not offered" : "no-auth method not offered";
    }
    SendReply(client, settings, Bytes({5, method}));
    return settings.check_user ? Authenticate(client, reader, settings, record) : std::string();
}

int Fail(std::string& failure, const char* why, int code) {
    failure = why;
    return code;
}

// Reads the CONNECT request; returns the reply code it deserves (before connecting).
int ReadRequest(HandshakeReader& reader, SocksRecord& record, std::string& failure) {
    std::string head;
    std::string address;
    std::string port;
    if (!reader.Read(4, head)) return Fail(failure, "closed before the request", kRefused);
    record.command = static_cast<unsigned char>(head[1]);
    record.atyp = static_cast<unsigned char>(head[3]);
    int name_length = 0;
    bool read = record.atyp == 1   ? reader.Read(4, address)
                : record.atyp == 4 ? reader.Read(16, address)
                : record.atyp == 3
                    ? reader.ReadByte(name_length) && reader.Read(static_cast<std::size_t>(name_length), address)
                    : false;
    if (!read || !reader.Read(2, port)) return Fail(failure, "request address incomplete", kAddressNotSupported);
    record.target_port = static_cast<std::uint16_t>(Be(port));
    if (head[0] != 5 || head[2] != 0) return Fail(failure, "request VER/RSV wrong", kNotAllowed);
    if (record.command != 1) return Fail(failure, "command is not CONNECT", kCommandNotSupported);
    if (record.atyp == 3) {
        record.target_host = address;
        record.domain_name_rejected = true;
        return Fail(failure, "domain name (ATYP 3): the client must resolve locally", kAddressNotSupported);
    }
    if (record.atyp != 1) return Fail(failure, "address type is not IPv4", kAddressNotSupported);
    record.target_ip = Be(address);
    return kSucceeded;
}

}  // namespace

std::unique_ptr<Connection> Socks5Handshake(Connection& client, const SocksServer::Settings& settings,
                                            SocksRecord& record, ServerLifetime& lifetime) {
    HandshakeReader reader(client, record);
    if (!ReadGreeting(reader, record)) return Refuse(record, "closed during the greeting");
    if (settings.fault == SocksFault::kCloseDuringHandshake)
        return Refuse(record, "closed during the handshake (fault)");
    std::string failure = Negotiate(client, reader, settings, record);
    if (!failure.empty()) return Refuse(record, failure);
    int code = ReadRequest(reader, record, failure);
    if (settings.fault == SocksFault::kMalformedReply) {
        client.Send(Bytes({5, 0, 0, 7}));
        return Refuse(record, "malformed reply sent (fault)");
    }
    std::unique_ptr<Connection> target = code == kSucceeded ? ConnectTarget(record, lifetime) : nullptr;
    if (code == kSucceeded && !target) {
        code = kRefused;
        failure = "target unreachable";
    }
    SendReply(client, settings, Reply(code, target ? net::LocalPort(target->socket()) : 0));
    return target ? std::move(target) : Refuse(record, failure);
}

}  // namespace netprobe::testing::socks
