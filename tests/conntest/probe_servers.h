#pragma once
// Server records for the probe tests: an origin on 127.0.0.1, reached directly or through a
// proxy on 127.0.0.1.
#include <cstdint>
#include <string>

#include "conntest/f_HttPTestConnect.h"

namespace netprobe::testing {

inline TServerInfo Direct(std::uint16_t origin_port, const std::string& action = "check") {
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin_port);
    server.Action = action;
    return server;
}

// `server` through a proxy of `kind` (0 HTTP, 1 SOCKS 4, 2 SOCKS 5) at 127.0.0.1:`proxy_port`,
// with authentication on when a user is given.
inline TServerInfo ThroughProxy(TServerInfo server, std::uint8_t kind, const std::string& proxy_port,
                                const std::string& user = "", const std::string& password = "") {
    server.ProxyEnabled = true;
    server.ProxyKind = kind;
    server.ProxyHost = "127.0.0.1";
    server.ProxyPortText = proxy_port;
    server.ProxyAuth = !user.empty();
    server.ProxyUserName = user;
    server.ProxyPass = password;
    return server;
}

}  // namespace netprobe::testing
