#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/loopback_server.h"
#include "tests/support/loopback/recorder.h"

namespace netprobe::testing {

enum class SocksFault {
    kNone,
    kCloseDuringHandshake,  // closes after the first bytes of the handshake arrive
    kMalformedReply,        // answers the CONNECT with a reply no client can accept, then closes
};

// What one client did during the SOCKS handshake.
struct SocksRecord {
    int version = 0;                    // VN / VER byte as received
    std::string handshake;              // every byte received before relaying started
    std::vector<std::uint8_t> methods;  // SOCKS5 greeting
    int command = 0;
    int atyp = 0;                 // SOCKS5 address type (0 for SOCKS4)
    std::string user;             // SOCKS4 user ID, SOCKS5 user name
    std::string password;         // SOCKS5 only
    std::uint32_t target_ip = 0;  // host order
    std::uint16_t target_port = 0;
    std::string target_host;            // ATYP 3 name, as sent
    bool domain_name_rejected = false;  // the client asked the proxy to resolve a name
    bool granted = false;
    std::string failure;  // why it was refused; empty when granted
};

// A SOCKS4 or SOCKS5 server on 127.0.0.1 that checks the exact handshake bytes, then connects
// to the requested target (127.0.0.1 only) and relays both ways.
class SocksServer {
public:
    explicit SocksServer(int version);

    std::uint16_t port() const { return server_.port(); }
    int version() const { return version_; }
    // "socks4://127.0.0.1:PORT" or "socks5://127.0.0.1:PORT".
    std::string Url() const;

    // SOCKS4: the user ID the client must send (none checked when never set).
    void ExpectUserId(const std::string& user_id);
    // SOCKS5: require method 0x02 and these credentials (RFC 1929).
    void ExpectCredentials(const std::string& user, const std::string& password);
    void SetFault(SocksFault fault);
    // Waits this long before each handshake reply.
    void SetReplyDelay(Millis delay);

    std::vector<SocksRecord> records() const { return records_.entries(); }
    // Handshakes seen so far, also those not kept.
    std::size_t record_count() const { return records_.count(); }
    // With false, handshakes are counted but not kept (for long runs).
    void KeepRecords(bool keep) { records_.SetKeep(keep); }
    bool WaitForRecords(std::size_t count, Millis timeout) const { return records_.WaitFor(count, timeout); }
    int connections() const { return server_.accepted(); }

    // What the handshake code needs to know, copied per connection.
    struct Settings {
        bool check_user = false;
        std::string user;
        std::string password;
        SocksFault fault = SocksFault::kNone;
        Millis reply_delay{0};
    };

private:
    void Serve(Connection& client);
    Settings settings() const;

    const int version_;
    mutable std::mutex mutex_;
    Settings settings_;
    Recorder<SocksRecord> records_;
    LoopbackServer server_;  // last: stops before the members above go away
};

}  // namespace netprobe::testing
