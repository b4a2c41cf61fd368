#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "comm/proxy_settings.h"
#include "conntest/f_HttPTestConnect.h"
#include "core/f_DataVO.h"

namespace netprobe {

class TCommuniConfig;

// Parameter block keys of a connection test.
inline constexpr char kResultMsgKey[] = "ResultMsgStr";

// One probe of a connection test as the driver saw it: a probe of the selection
// (final == false) or the final probe. A failed record build reports an empty address, the
// error's text as the message and the cause kSettingsError.
struct ProbeReport {
    bool final = false;
    std::int32_t index = 0;
    std::string address;
    bool ok = false;
    std::int64_t elapsed_ms = 0;
    std::string message;  // the module's message (GBK); empty on success
    ProbeDiagnosis diagnosis;
};

// A probe about to begin: which one (server `index` of the `count` the channel lists, a probe of
// the selection or the final one) and the address it requests. `limit` is when a peer that stays
// silent has made it give up: the connect limit and then the read limit, within the request's
// own limit. `longest` is what the caller may wait at most: only a peer that keeps sending slowly
// holds a probe past `limit`, until the caller's backstop or the request's limit ends it.
struct ProbeStart {
    bool final = false;
    std::int32_t index = 0;
    std::int32_t count = 0;
    std::string address;
    std::chrono::milliseconds limit{0};
    std::chrono::milliseconds longest{0};
};

// Watches a connection test from outside (the command-line tool, the module's debug output).
// It is told what happened and changes nothing. Every callback has an empty default.
class ProbeObserver {
public:
    virtual ~ProbeObserver() = default;
    // The number of servers the channel lists, before the first probe.
    virtual void OnServerCount(std::int32_t /*count*/) {}
    // Told on the driver's thread just before the probe's request starts; its report follows.
    virtual void OnProbeStart(const ProbeStart& /*start*/) {}
    virtual void OnProbe(const ProbeReport& /*report*/) {}
    virtual void OnChosen(std::int32_t /*index*/) {}
    // What the driver wrote under "ResultMsgStr".
    virtual void OnDriverResult(bool /*result*/, const std::string& /*result_message*/) {}
};

// The record for server `index` of the channel, with the proxy texts of the block's
// "ProxyVO" as they stand now. Raises for an index out of range or a bad "ProxyAuthor".
TServerInfo BuildServerInfo(const TCommuniConfig& channel, const TDataVO& block, std::int32_t index);

// The index of the smallest elapsed time among the successful probes (the earlier one on
// equal times); 0 when no probe succeeded.
std::int32_t PickFastest(const std::vector<std::optional<std::int64_t>>& elapsed);

// Probes every server in turn and returns the index of the fastest that answered with
// success; the earlier one on equal times, 0 when none did.
std::int32_t SelectFastestServer(const TCommuniConfig& channel, const TDataVO& block,
                                 ProbeObserver* observer = nullptr);

// Chooses the server, probes it once more and writes "ResultMsgStr" into the block.
bool TestServerConnection(TDataVO& block, ProbeObserver* observer = nullptr);

// How RunUpdateServerTest runs besides the user's settings.
struct UpdateServerTestOptions {
    // The proxy switched off ("ProxyEnable" "0" in the block's "ProxyVO"), everything else as
    // configured: the second run of the command-line tool's --also-direct.
    bool direct = false;
};

// Builds the parameter block (proxy settings, channel), runs the driver, and writes a
// failure message. Never raises.
bool RunUpdateServerTest(std::string& message, ProbeObserver* observer = nullptr,
                         const UpdateServerTestOptions& options = {});

}  // namespace netprobe
