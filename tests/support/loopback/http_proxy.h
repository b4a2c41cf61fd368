#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/http_head.h"
#include "tests/support/loopback/loopback_server.h"
#include "tests/support/loopback/recorder.h"

namespace netprobe::testing {

enum class ProxyFault {
    kNone,
    kGarbage,  // answers every request with bytes that are no HTTP answer, then closes
};

// One request the proxy received.
struct ProxiedRequest : HttpRequestHead {
    int connection = 0;              // 1-based number of the connection it arrived on
    int sequence = 0;                // 1-based position on that connection
    bool basic_credentials = false;  // Proxy-Authorization: Basic with valid base64
    std::string user;                // decoded from Proxy-Authorization (up to the first ':')
    std::string password;            // the rest of the decoded text
    bool authorized = false;         // passed the credential check (or none is required)
    bool forwarded = false;          // sent on to the origin
    std::string failure;             // why it was not forwarded
};

// An HTTP forward proxy on 127.0.0.1: takes "METHOD http://127.0.0.1:PORT/path HTTP/1.1",
// optionally demands Basic credentials (407), and forwards in origin form to 127.0.0.1 only.
class HttpProxy {
public:
    HttpProxy();

    std::uint16_t port() const { return server_.port(); }
    // "http://127.0.0.1:PORT".
    std::string Url() const;

    // Requests without exactly these credentials get 407.
    void ExpectCredentials(const std::string& user, const std::string& password);
    void SetFault(ProxyFault fault);

    std::vector<ProxiedRequest> requests() const { return requests_.entries(); }
    bool WaitForRequests(std::size_t count, Millis timeout) const { return requests_.WaitFor(count, timeout); }
    int connections() const { return server_.accepted(); }

private:
    struct Settings {
        bool check = false;
        std::string credentials;  // "user:password"
        ProxyFault fault = ProxyFault::kNone;
    };

    void Serve(Connection& client);
    // Handles one request; false when the connection must end.
    bool Handle(Connection& client, ProxiedRequest& request, const Settings& settings);
    bool Forward(Connection& client, ProxiedRequest& request);
    Settings settings() const;

    mutable std::mutex mutex_;
    Settings settings_;
    Recorder<ProxiedRequest> requests_;
    LoopbackServer server_;  // last: stops before the members above go away
};

}  // namespace netprobe::testing
