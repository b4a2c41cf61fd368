#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/probe_diagnosis.h"

namespace netprobe {

// What the first bytes of an answer are, in our words: "TLS", "SSH", "HTTP", "SOCKS 5",
// "SOCKS 4"; "bytes that are no HTTP (16 03 ...)" for the rest; empty when nothing came.
std::string RecognizeProtocol(std::string_view bytes);

// After a failed probe whose bytes hint at another protocol than expected (on the server's
// port, or from a proxy of another kind than ProxyMode says), one small exchange with the same
// peer to name what answers, within `limit` in all. Nothing is sent when the diagnosis gives
// no such hint. `address` is the probe's own.
void RecognizeOtherProtocol(const TServerInfo& server, const std::string& address, std::chrono::milliseconds limit,
                            ProbeDiagnosis& diagnosis);

}  // namespace netprobe
