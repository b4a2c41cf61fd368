#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conntest/answer_evidence.h"

namespace netprobe {

// Why a probe ended as it did. The module's message and verdict are computed without it; it
// rides beside them for the people who have to fix the network.
enum class ProbeCause : std::uint8_t {
    kPassed,
    kNoServerAddress,     // the server entry names no host: nothing was sent
    kNoProxyAddress,      // the proxy setting names no usable host or port: nothing was sent
    kNameNotResolved,     // the server's or the proxy's name
    kConnectionRefused,   // nothing listens at the server's address
    kProxyRefused,        // nothing listens at the proxy's address
    kUnreachable,         // host or network unreachable
    kConnectLimit,        // the connect (or the proxy handshake) took longer than allowed
    kReadTimeout,         // T ms passed without a byte of the answer
    kProxyAuth,           // the proxy wants credentials or rejected them
    kSocksTargetRefused,  // the SOCKS server refused to reach the target; detail has its reply
    kSocksFailed,         // the SOCKS exchange broke off (closed, garbled)
    kHttpStatus,          // the answer's status is not 2xx
    kHalfAnswer,          // the connection ended before the answer's head was whole
    kBackstop,            // the caller gave up waiting
    kSettingsError,       // the record could not be built (ProxyAuthor isn't a Boolean text)
    kProxyError,          // the HTTP proxy answered with an error of its own; detail has its evidence
    kNotHttp,             // the server's port answered in another protocol (TLS, SSH, ...)
    kBadAddress,          // no URL can be formed from the server's host and port text
    kProxyKindMismatch,   // the proxy speaks another kind than ProxyMode says
    kNoAnswer,            // the connection closed before any byte of an answer
    kOther,
};

// A stable lower-case name for the cause ("connection-refused"), for JSON and the debug output.
std::string_view CauseName(ProbeCause cause);

// Phase timings in milliseconds since the request started; -1 where the phase wasn't reached.
struct ProbeTimings {
    std::int64_t name_ms = -1;       // name resolution done
    std::int64_t connect_ms = -1;    // TCP connection to the server or the proxy established
    std::int64_t handshake_ms = -1;  // the SOCKS handshake's own duration (SOCKS only)
    std::int64_t first_byte_ms = -1;
    std::int64_t total_ms = -1;
};

// How a SOCKS exchange failed, as the client reports it. `reply` is the server's reply code
// (SOCKS5 0x01-0x08, SOCKS4 91-93) or -1 when the failure came before or outside a reply.
// kResolveTarget: SOCKS 4 and 5 as set up here resolve the server's name on this computer,
// and it didn't resolve.
struct SocksFailure {
    enum class Stage : std::uint8_t { kNone, kTransport, kResolveTarget, kMethod, kAuth, kConnectReply };
    Stage stage = Stage::kNone;
    int version = 5;
    int reply = -1;
};

struct ProbeDiagnosis {
    ProbeCause cause = ProbeCause::kOther;
    // What exactly happened ("HTTP 407 from the proxy", "SOCKS5 reply 2"), UTF-8. Our words, in
    // the current language, except what came from outside (an answer's reason phrase and
    // headers, a configuration value), which is quoted as it came, turned from GBK to UTF-8.
    std::string detail;
    std::string curl_error;  // libcurl's own error text (GBK, as the module's strings), empty when it had none
    std::string peer;        // address:port actually reached (the proxy's when through one)
    bool via_proxy = false;
    long http_status = 0;
    int socks_reply = -1;         // the SOCKS server's reply code, when it sent one
    std::string location;         // a redirect's target
    SocksFailure socks;           // stage kNone unless a SOCKS exchange failed
    bool answer_started = false;  // a byte of an answer came
    // An answer through an HTTP proxy: what its head showed, and who made it by that.
    AnswerEvidence evidence;
    AnswerOrigin answer_origin = AnswerOrigin::kServer;
    ProxyTrouble proxy_trouble = ProxyTrouble::kNone;
    // What answered in another protocol than expected, in our words ("TLS", "SSH", "SOCKS 5",
    // "an HTTP proxy", translated where it isn't a protocol's name), for kNotHttp and
    // kProxyKindMismatch.
    std::string seen;
    ProbeTimings timings;
};

// One line for the debug output and logs, UTF-8 in the current language: "cause: detail (curl:
// ...; peer ...)". Never holds a password: no field of the record carries one.
std::string DiagnosisLine(const ProbeDiagnosis& diagnosis);

// Fills cause and detail of a probe whose SOCKS exchange failed.
void ClassifySocksFailure(const SocksFailure& failure, ProbeDiagnosis& diagnosis);

}  // namespace netprobe
