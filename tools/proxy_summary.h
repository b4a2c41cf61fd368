#pragma once

#include <string>
#include <vector>

namespace netprobe::cli {

// The proxy settings as the module reads them for a test, in words for the people who fix
// the network. Never holds the password, in clear or in its stored form.
struct ProxySummary {
    bool enabled = false;
    std::string kind;  // "HTTP", "SOCKS4" or "SOCKS5"
    std::string host;  // UTF-8
    std::string port;  // the port that is used, or the setting as written when it is unusable
    bool auth = false;
    std::string user;                  // UTF-8
    bool password_set = false;         // a stored password is sent
    std::vector<std::string> ignored;  // what the module ignores, one sentence each, in the current language
};

// Reads section "NetWork" of the user configuration through the module's host.
ProxySummary ReadProxySummary();

// "host:port", with an IPv6 address in brackets ("[::1]:1080").
std::string HostPort(const std::string& host, const std::string& port);

// "proxy:    SOCKS5 127.0.0.1:1080, authentication on, user 'probe'" or "proxy:    off (direct)",
// in the current language.
std::string ProxySummaryText(const ProxySummary& summary);

}  // namespace netprobe::cli
