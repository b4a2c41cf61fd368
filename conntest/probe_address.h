#pragma once

#include <optional>
#include <string>

#include "conntest/f_HttPTestConnect.h"

namespace netprobe {

// The address that a probe requests: "http://" + host (lower case, after the first
// "http://", one trailing "/" dropped) + ":" + port text + ("/" + action). nullopt when the
// host part is empty: such a probe fails without sending anything.
std::optional<std::string> BuildProbeAddress(const TServerInfo& server);

// "host:port" of an address that BuildProbeAddress made ("http://host:port/action"), in the
// address's own encoding: GBK has no trail byte that is a "/".
std::string ProbeHostPort(const std::string& address);

// What is wrong with a server entry whose address libcurl can't take ("the port 70000 lies
// beyond 65535"), in words for the person who fixes the entry: UTF-8, in the current language.
std::string ExplainAddressFault(const TServerInfo& server);

}  // namespace netprobe
