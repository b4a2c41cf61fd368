#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

#include "conntest/probe_diagnosis.h"

namespace netprobe {

// The description of one server to probe, proxy settings included. A plain record that the
// caller fills and owns; the probe thread takes a private copy.
struct TServerInfo {
    std::string Host;      // as configured; may carry "http://" and a trailing "/"
    std::string PortText;  // decimal text, used unchanged in the address
    bool ProxyEnabled = false;
    std::uint8_t ProxyKind = 0;  // 0 HTTP proxy, 1 SOCKS 4, 2 SOCKS 5
    std::string ProxyHost;
    std::string ProxyPortText;
    bool ProxyAuth = false;
    std::string ProxyUserName;
    std::string ProxyPass;  // in clear
    std::string Action;     // service path, appended after a "/" of its own; may be empty
};

// Maps a proxy mode text of the user's settings to "0" (HTTP), "1" (SOCKS 4) or "2" (SOCKS 5).
std::string MapProxyMode(std::string_view mode);

// How long one probe may take, from the channel's time-out number T.
// - connect: name resolution and the TCP connect (and libcurl's proxy handshake) in all. The
//   probe sets no connect limit of its own: this is the system's, about 21 s on Windows, used
//   on every target;
// - read: once the connection is open, how long each wait for a byte may last;
// - request: the whole request. It ends a request that the caller has given up on, so that
//   the thread ends soon after: a server trickling forever can't hold the host;
// - backstop: how long the caller waits for the outcome before it gives up.
// T > 0: read T ms, the backstop T seconds, the request the backstop and a short grace, so
// that the caller's give-up comes first and its message stands.
// T <= 0: the caller gives up at once; the request still ends within kUnsetTimeoutLimit.
struct ProbeLimits {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds read;
    std::chrono::milliseconds request;
    std::chrono::milliseconds backstop;
};
inline constexpr std::chrono::milliseconds kSystemConnectLimit{21000};
inline constexpr std::chrono::milliseconds kUnsetTimeoutLimit{5000};
inline constexpr std::chrono::milliseconds kRequestGrace{500};
ProbeLimits LimitsFor(std::int32_t timeout);

// Module-wide outcome of the probe in flight. The probe thread writes ProbeResult,
// ProbeMessage and ProbeWhy, then sets ProbeDone with release ordering; the caller reads
// ProbeDone with acquire ordering before it reads the others.
struct ProbeSlots {
    std::atomic<bool> ProbeDone{false};
    std::atomic<bool> ProbeResult{false};
    std::string ProbeMessage;
    ProbeDiagnosis ProbeWhy;  // beside the outcome: the verdict and message never depend on it
};
ProbeSlots& ProbeOutcome();

// One probe on its own thread: starts running once constructed; destruction waits for the
// thread's end. A probe is never cut short: the request's own limits end it, so the thread
// takes no termination request.
class THttPTestConnectThread {
public:
    THttPTestConnectThread(const TServerInfo* server, const ProbeLimits& limits);
    ~THttPTestConnectThread();
    THttPTestConnectThread(const THttPTestConnectThread&) = delete;
    THttPTestConnectThread& operator=(const THttPTestConnectThread&) = delete;

private:
    void Execute();
    // Performs the request on a private copy of the record; writes `message` only on failure.
    static bool ProbeServer(const TServerInfo& server, std::string& message, const ProbeLimits& limits,
                            ProbeDiagnosis& diagnosis);

    const TServerInfo* server_;
    ProbeLimits limits_;
    std::thread thread_;  // last: starts once the fields above are set
};

// Probes one server and waits for the outcome, processing the host's pending events
// meanwhile. The wait gives up after `timeout` seconds with "网络连接异常". Entered while
// another probe is in flight, it returns false with that message and touches nothing.
bool RunProbe(const TServerInfo& server, std::string& message, std::int32_t timeout);
// The same with the limits given one by one (LimitsFor(timeout) for the above), and why the
// probe ended as it did when `diagnosis` is given.
bool RunProbe(const TServerInfo& server, std::string& message, const ProbeLimits& limits,
              ProbeDiagnosis* diagnosis = nullptr);

}  // namespace netprobe
