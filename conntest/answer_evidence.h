#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace netprobe {

// What an answer's head tells of who made it. Values are kept as they came, bytes from
// outside included: whatever shows them makes them safe.
struct AnswerEvidence {
    std::string reason;        // the status line's reason phrase
    std::string server;        // Server:
    std::string via;           // Via:
    std::string proxy_status;  // Proxy-Status: (RFC 9209)
    std::string proxy_error;   // a proxy's own error header, "X-Squid-Error: ERR_CONNECT_FAIL 111"
    std::string realm;         // the realm of WWW-Authenticate
};

// Takes one header line as libcurl hands it over; a status line starts the record afresh
// (only the last answer of a transfer counts).
void NoteHeaderLine(std::string_view line, AnswerEvidence& evidence);

// Who made an answer that came through an HTTP proxy.
enum class AnswerOrigin : std::uint8_t { kServer, kProxy, kEither };
// What the proxy said went wrong when the answer is its own.
enum class ProxyTrouble : std::uint8_t { kNone, kConnect, kResolve, kTimeout, kOther };

struct AnswerJudgement {
    AnswerOrigin origin = AnswerOrigin::kServer;
    ProxyTrouble trouble = ProxyTrouble::kNone;
};

// Judges a non-2xx answer that came through an HTTP proxy by its evidence: RFC 9209's
// Proxy-Status with an error, a proxy's own error header, a Server: that names a proxy, a
// gateway's 502 or 504. A Via: or a Server: of another kind speak for the server; with none
// of these it may be either.
AnswerJudgement JudgeProxiedAnswer(long status, const AnswerEvidence& evidence);

// "'Unable to connect', Server: tinyproxy/1.11.1" — the evidence that was there, for a detail
// (UTF-8).
std::string EvidenceText(const AnswerEvidence& evidence);

}  // namespace netprobe
