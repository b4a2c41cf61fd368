// The diagnosis of a probe from what libcurl recorded of its transfer.
#include "conntest/probe_diagnosis_curl.h"

#include <algorithm>
#include <initializer_list>

#include "conntest/probe_address.h"
#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe {
namespace {

// System error numbers of a failed connect, POSIX and Winsock alike.
bool IsOneOf(long os_errno, std::initializer_list<long> values) {
    for (long v : values) {
        if (os_errno == v) return true;
    }
    return false;
}
constexpr long kPosixRefused = 111, kWsaRefused = 10061;
constexpr long kPosixNetUnreach = 101, kPosixHostUnreach = 113, kWsaNetUnreach = 10051, kWsaHostUnreach = 10065;
constexpr long kPosixTimedOut = 110, kWsaTimedOut = 10060;

bool ViaProxy(const TServerInfo& server) { return server.ProxyEnabled && server.ProxyKind <= 2; }
bool ViaSocks(const TServerInfo& server) { return ViaProxy(server) && server.ProxyKind != 0; }

std::int64_t Ms(CURL* curl, CURLINFO info) {
    curl_off_t us = 0;
    if (curl_easy_getinfo(curl, info, &us) != CURLE_OK || us <= 0) return -1;
    return static_cast<std::int64_t>(us / 1000);
}

void ReadTimings(CURL* curl, const TServerInfo& server, bool socks_failed, bool answer_started, ProbeTimings& t) {
    t.name_ms = Ms(curl, CURLINFO_NAMELOOKUP_TIME_T);
    t.connect_ms = Ms(curl, CURLINFO_CONNECT_TIME_T);
    // libcurl may set the start of the transfer when nothing came (a peer that closed).
    t.first_byte_ms = answer_started ? Ms(curl, CURLINFO_STARTTRANSFER_TIME_T) : -1;
    t.total_ms = std::max<std::int64_t>(Ms(curl, CURLINFO_TOTAL_TIME_T), 0);
    if (!ViaSocks(server)) return;
    // The SOCKS exchange lies between the TCP connect and the request being sent. When it
    // fails, libcurl keeps no connect time: the figure then includes the TCP connect.
    const std::int64_t pretransfer = Ms(curl, CURLINFO_PRETRANSFER_TIME_T);
    if (t.connect_ms >= 0 && pretransfer >= 0) {
        t.handshake_ms = std::max<std::int64_t>(pretransfer - t.connect_ms, 0);
    } else if (socks_failed) {
        t.handshake_ms = std::max<std::int64_t>(t.total_ms - std::max<std::int64_t>(t.name_ms, 0), 0);
    }
}

void ReadPeer(CURL* curl, ProbeDiagnosis& d) {
    char* ip = nullptr;
    long port = 0;
    if (curl_easy_getinfo(curl, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip && *ip &&
        curl_easy_getinfo(curl, CURLINFO_PRIMARY_PORT, &port) == CURLE_OK) {
        const std::string host(ip);
        d.peer = (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" + std::to_string(port);
    }
}

// A 401 through an HTTP proxy that was sent credentials: tinyproxy answers wrong credentials
// so, and so does a server behind the proxy that wants a login of its own.
void Diagnose401ThroughProxy(const TServerInfo& server, ProbeDiagnosis& d) {
    const std::string evidence = EvidenceText(d.evidence);
    if (d.answer_origin == AnswerOrigin::kServer) {
        d.cause = ProbeCause::kHttpStatus;
        d.detail = TrFormat("HTTP 401 from the server behind the proxy: it wants a login of its own (%s)", evidence);
    } else if (d.answer_origin == AnswerOrigin::kProxy) {
        d.cause = ProbeCause::kProxyAuth;
        d.detail = server.ProxyAuth ? Tr("HTTP 401 through a proxy that was sent credentials: the proxy rejected them")
                                    : Tr("HTTP 401 from the proxy: it wants credentials");
    } else {
        d.cause = ProbeCause::kProxyAuth;
        d.detail = TrFormat(
            "HTTP 401 through a proxy: the proxy may reject the credentials, or the server behind it wants a login "
            "(%s)",
            evidence);
    }
}

// A non-2xx answer through an HTTP proxy that the proxy may have made itself.
bool DiagnoseProxiedStatus(const TServerInfo& server, long status, ProbeDiagnosis& d) {
    const AnswerJudgement judgement = JudgeProxiedAnswer(status, d.evidence);
    d.answer_origin = judgement.origin;
    d.proxy_trouble = judgement.trouble;
    if (status == 401 && (server.ProxyAuth || judgement.origin == AnswerOrigin::kProxy)) {
        Diagnose401ThroughProxy(server, d);
        return true;
    }
    if (judgement.origin == AnswerOrigin::kProxy) {
        d.cause = ProbeCause::kProxyError;
        d.detail = TrFormat("HTTP %1$s made by the proxy, not the server (%2$s)", status, EvidenceText(d.evidence));
        return true;
    }
    if (judgement.origin == AnswerOrigin::kEither && status >= 400) {
        d.cause = ProbeCause::kHttpStatus;
        d.detail = TrFormat("HTTP %1$s, from the proxy or the server (%2$s)", status, EvidenceText(d.evidence));
        return true;
    }
    return false;
}

void DiagnoseStatus(CURL* curl, const TServerInfo& server, long status, ProbeDiagnosis& d) {
    d.http_status = status;
    if (status >= 200 && status <= 299) {
        d.cause = ProbeCause::kPassed;
        d.detail = "HTTP " + std::to_string(status);
        return;
    }
    const bool http_proxy = ViaProxy(server) && server.ProxyKind == 0;
    if (http_proxy && status == 407) {
        d.cause = ProbeCause::kProxyAuth;
        d.answer_origin = AnswerOrigin::kProxy;
        d.detail = server.ProxyAuth ? Tr("HTTP 407 from the proxy: it rejected the credentials")
                                    : Tr("HTTP 407 from the proxy: it wants credentials");
        return;
    }
    if (http_proxy && DiagnoseProxiedStatus(server, status, d)) return;
    d.cause = ProbeCause::kHttpStatus;
    d.detail = "HTTP " + std::to_string(status);
    char* location = nullptr;
    if (status >= 300 && status <= 399 && curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
        location) {
        d.location = location;
        d.detail = TrFormat("HTTP %1$s to %2$s", status, GbkToUtf8(d.location));
    }
}

void DiagnoseConnect(CURL* curl, const TServerInfo& server, ProbeDiagnosis& d) {
    long os_errno = 0;
    curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &os_errno);
    const bool proxy = ViaProxy(server);
    if (IsOneOf(os_errno, {kPosixRefused, kWsaRefused})) {
        d.cause = proxy ? ProbeCause::kProxyRefused : ProbeCause::kConnectionRefused;
        d.detail = proxy ? Tr("nothing listens at the proxy's address") : Tr("nothing listens at the server's address");
    } else if (IsOneOf(os_errno, {kPosixNetUnreach, kPosixHostUnreach, kWsaNetUnreach, kWsaHostUnreach})) {
        d.cause = ProbeCause::kUnreachable;
        d.detail = proxy ? Tr("no route to the proxy") : Tr("no route to the server");
    } else if (IsOneOf(os_errno, {kPosixTimedOut, kWsaTimedOut})) {
        d.cause = ProbeCause::kConnectLimit;
        d.detail = proxy ? Tr("the system gave up connecting to the proxy")
                         : Tr("the system gave up connecting to the server");
    } else {
        d.cause = ProbeCause::kOther;
        d.detail = proxy ? TrFormat("connect to the proxy failed, system error %s", os_errno)
                         : TrFormat("connect to the server failed, system error %s", os_errno);
    }
}

void DiagnoseTimeout(CURL* curl, const TServerInfo& server, const TransferFacts& facts, ProbeDiagnosis& d) {
    const ProbeTimings& t = d.timings;
    if (facts.stop == TransferStop::kRequestLimit) {
        d.cause = ProbeCause::kBackstop;
        d.detail = Tr("the request ran past its overall limit");
    } else if (ViaSocks(server) && !d.peer.empty() && Ms(curl, CURLINFO_PRETRANSFER_TIME_T) < 0) {
        // Connected to the SOCKS server (libcurl names the peer once the TCP connect is
        // made), and its reply didn't come.
        d.cause = ProbeCause::kReadTimeout;
        d.detail = Tr("the SOCKS server did not reply within the read limit");
        d.socks = {SocksFailure::Stage::kTransport, server.ProxyKind == 1 ? 4 : 5, -1};
    } else if (t.connect_ms < 0 || facts.stop == TransferStop::kNone) {
        d.cause = ProbeCause::kConnectLimit;
        d.detail = ViaProxy(server) ? Tr("no connection to the proxy within the limit")
                                    : Tr("no connection to the server within the limit");
    } else {
        d.cause = ProbeCause::kReadTimeout;
        d.detail = Tr("no byte of the answer within the read limit");
    }
}

}  // namespace

SocksFailure SocksFailureOf(long proxy_code, int version) {
    using Stage = SocksFailure::Stage;
    switch (proxy_code) {
        case CURLPX_NO_AUTH:
            return {Stage::kMethod, version, -1};
        case CURLPX_USER_REJECTED:
            return {Stage::kAuth, version, -1};
        case CURLPX_RESOLVE_HOST:
            return {Stage::kResolveTarget, version, -1};
        case CURLPX_REQUEST_FAILED:
            return {Stage::kConnectReply, 4, 91};
        case CURLPX_IDENTD:
            return {Stage::kConnectReply, 4, 92};
        case CURLPX_IDENTD_DIFFER:
            return {Stage::kConnectReply, 4, 93};
        case CURLPX_REPLY_GENERAL_SERVER_FAILURE:
            return {Stage::kConnectReply, 5, 1};
        case CURLPX_REPLY_NOT_ALLOWED:
            return {Stage::kConnectReply, 5, 2};
        case CURLPX_REPLY_NETWORK_UNREACHABLE:
            return {Stage::kConnectReply, 5, 3};
        case CURLPX_REPLY_HOST_UNREACHABLE:
            return {Stage::kConnectReply, 5, 4};
        case CURLPX_REPLY_CONNECTION_REFUSED:
            return {Stage::kConnectReply, 5, 5};
        case CURLPX_REPLY_TTL_EXPIRED:
            return {Stage::kConnectReply, 5, 6};
        case CURLPX_REPLY_COMMAND_NOT_SUPPORTED:
            return {Stage::kConnectReply, 5, 7};
        case CURLPX_REPLY_ADDRESS_TYPE_NOT_SUPPORTED:
            return {Stage::kConnectReply, 5, 8};
        case CURLPX_REPLY_UNASSIGNED:
            return {Stage::kConnectReply, 5, -1};
        default:
            return {Stage::kTransport, version, -1};
    }
}

void DiagnoseTransfer(CURL* curl, const TServerInfo& server, const TransferFacts& facts, ProbeDiagnosis& d) {
    d.via_proxy = ViaProxy(server);
    d.curl_error = facts.error_buffer ? facts.error_buffer : "";
    d.answer_started = facts.answer_started;
    d.evidence = facts.evidence;
    ReadPeer(curl, d);
    ReadTimings(curl, server, facts.code == CURLE_PROXY || facts.code == CURLE_OPERATION_TIMEDOUT, facts.answer_started,
                d.timings);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    switch (facts.code) {
        case CURLE_OK:
            if (!facts.head_complete) {
                d.cause = ProbeCause::kHalfAnswer;
                d.detail = Tr("the connection ended inside the answer's head");
            } else {
                DiagnoseStatus(curl, server, status, d);
            }
            return;
        case CURLE_COULDNT_RESOLVE_HOST:
            d.cause = ProbeCause::kNameNotResolved;
            d.detail = Tr("the server's name does not resolve");
            return;
        case CURLE_COULDNT_RESOLVE_PROXY:
            d.cause = ProbeCause::kNameNotResolved;
            d.detail = Tr("the proxy's name does not resolve");
            return;
        case CURLE_COULDNT_CONNECT:
            DiagnoseConnect(curl, server, d);
            return;
        case CURLE_PROXY: {
            long proxy_code = 0;
            curl_easy_getinfo(curl, CURLINFO_PROXY_ERROR, &proxy_code);
            ClassifySocksFailure(SocksFailureOf(proxy_code, server.ProxyKind == 1 ? 4 : 5), d);
            return;
        }
        case CURLE_OPERATION_TIMEDOUT:
            DiagnoseTimeout(curl, server, facts, d);
            return;
        case CURLE_URL_MALFORMAT:
            d.cause = ProbeCause::kBadAddress;
            d.detail = ExplainAddressFault(server);
            return;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_WEIRD_SERVER_REPLY:
            d.cause = ProbeCause::kNotHttp;
            d.detail = Tr("the answer is no HTTP");
            d.answer_started = true;
            return;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE:
            if (!facts.answer_started) {
                d.cause = ProbeCause::kNoAnswer;
                d.detail = Tr("the connection closed before any byte of an answer");
                return;
            }
            d.cause = ProbeCause::kHalfAnswer;
            d.detail = status > 0 ? Tr("the answer broke off after its status")
                                  : Tr("the connection ended without a whole answer");
            return;
        default:
            d.cause = ProbeCause::kOther;
            d.detail =
                TrFormat("libcurl error %1$s (%2$s)", static_cast<int>(facts.code), curl_easy_strerror(facts.code));
            return;
    }
}

}  // namespace netprobe
