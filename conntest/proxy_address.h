#pragma once

#include <optional>
#include <string>

#include "conntest/f_HttPTestConnect.h"

namespace netprobe {

// The proxy of a record as libcurl is to reach it: "http://", "socks4://" or "socks5://" by
// ProxyKind, then ProxyHost as it is written (an IPv6 literal in brackets), ":" and the port:
// ProxyPortText read as a decimal 32-bit integer, 80 when it isn't one. Nothing in the texts
// is read as part of an address (no scheme, credentials or port inside ProxyHost).
// nullopt when ProxyHost is not a host name or an IP address, or the port lies outside
// 0-65535: the probe then fails as for a name that doesn't resolve, and sends nothing.
std::optional<std::string> ProxyUrl(const TServerInfo& server);

}  // namespace netprobe
