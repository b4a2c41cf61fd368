// The rules of a probe's diagnosis that no real peer shows on demand: the SOCKS failures as
// libcurl reports them, answers that break off or speak another protocol, addresses libcurl
// can't take, and who made an answer that came through a proxy.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/probe_diagnosis_curl.h"
#include "core/gbk.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe {
namespace {

TEST(DiagnosisRules, SocksFailuresAsLibcurlReportsThem) {
    struct Case {
        long proxy_code;
        int version;
        ProbeCause cause;
        int reply;
    };
    const Case cases[] = {
        {CURLPX_NO_AUTH, 5, ProbeCause::kProxyAuth, -1},
        {CURLPX_USER_REJECTED, 5, ProbeCause::kProxyAuth, -1},
        {CURLPX_RESOLVE_HOST, 5, ProbeCause::kNameNotResolved, -1},
        {CURLPX_RESOLVE_HOST, 4, ProbeCause::kNameNotResolved, -1},
        {CURLPX_REPLY_NOT_ALLOWED, 5, ProbeCause::kSocksTargetRefused, 2},
        {CURLPX_REPLY_CONNECTION_REFUSED, 5, ProbeCause::kSocksTargetRefused, 5},
        {CURLPX_REPLY_HOST_UNREACHABLE, 5, ProbeCause::kSocksTargetRefused, 4},
        {CURLPX_REQUEST_FAILED, 4, ProbeCause::kSocksTargetRefused, 91},
        {CURLPX_IDENTD_DIFFER, 4, ProbeCause::kProxyAuth, 93},
        {CURLPX_CLOSED, 5, ProbeCause::kSocksFailed, -1},
        {CURLPX_BAD_VERSION, 4, ProbeCause::kSocksFailed, -1},
    };
    for (const Case& c : cases) {
        ProbeDiagnosis d;
        ClassifySocksFailure(SocksFailureOf(c.proxy_code, c.version), d);
        EXPECT_EQ(CauseName(d.cause), CauseName(c.cause)) << c.proxy_code;
        EXPECT_EQ(d.socks_reply, c.reply) << c.proxy_code;
        EXPECT_NE(d.detail.find("SOCKS" + std::to_string(c.version)), std::string::npos) << d.detail;
    }
}

TEST(DiagnosisRules, AnswersThatBreakOffOrSpeakAnotherProtocol) {
    using testing::OriginFault;
    struct Case {
        OriginFault fault;
        std::string raw_answer;
        ProbeCause cause;
        const char* seen;  // what the detail names
    };
    const Case cases[] = {
        {OriginFault::kResetMidAnswer, "", ProbeCause::kHalfAnswer, ""},
        {OriginFault::kCloseOnAccept, "", ProbeCause::kNoAnswer, ""},
        {OriginFault::kRawAnswer, "", ProbeCause::kNoAnswer, ""},  // reads the request, closes in order
        {OriginFault::kRawAnswer, std::string("\x15\x03\x01\x00\x02\x02\x46", 7), ProbeCause::kNotHttp, "TLS"},
        {OriginFault::kRawAnswer, "SSH-2.0-OpenSSH_9.2\r\n", ProbeCause::kNotHttp, "SSH"},
        {OriginFault::kRawAnswer, std::string("\x05\xff", 2), ProbeCause::kNotHttp, "SOCKS 5"},
        {OriginFault::kRawAnswer, "220 mail ESMTP\r\n", ProbeCause::kNotHttp, "32 32 30 20"},
    };
    testing::HttpOrigin origin;
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    for (const Case& c : cases) {
        origin.SetFault(c.fault);
        if (c.fault == OriginFault::kRawAnswer) origin.SetRawAnswer(c.raw_answer);
        std::string message;
        ProbeDiagnosis why;
        EXPECT_FALSE(RunProbe(server, message, LimitsFor(1000), &why));
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
        EXPECT_EQ(CauseName(why.cause), CauseName(c.cause)) << DiagnosisLine(why);
        EXPECT_NE(why.detail.find(c.seen), std::string::npos) << why.detail;
        // A first-byte time only where a byte came.
        if (c.cause == ProbeCause::kNoAnswer) {
            EXPECT_LT(why.timings.first_byte_ms, 0) << DiagnosisLine(why);
        }
    }
}

TEST(DiagnosisRules, AnAddressLibcurlCannotFormIsExplained) {
    struct Case {
        const char* host;
        const char* port;
        const char* says;
    };
    const Case cases[] = {
        {"127.0.0.1", "70000", "lies beyond 65535"},
        {"::1", "80", "IPv6 address without brackets: write it as [::1]"},
        {"update server", "80", "holds a blank"},
    };
    for (const Case& c : cases) {
        TServerInfo server;
        server.Host = c.host;
        server.PortText = c.port;
        std::string message;
        ProbeDiagnosis why;
        EXPECT_FALSE(RunProbe(server, message, LimitsFor(1000), &why));
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
        EXPECT_EQ(why.cause, ProbeCause::kBadAddress) << DiagnosisLine(why);
        EXPECT_NE(why.detail.find(c.says), std::string::npos) << why.detail;
    }
}

// Who made an answer that came through an HTTP proxy, from the head lines as they arrive.
TEST(DiagnosisRules, ProxiedAnswersAreJudgedByTheirEvidence) {
    struct Case {
        const char* name;
        long status;
        std::vector<std::string> lines;
        AnswerOrigin origin;
        ProxyTrouble trouble;
    };
    const Case cases[] = {
        {"tinyproxy, closed target",
         500,
         {"HTTP/1.1 500 Unable to connect\r\n", "Server: tinyproxy/1.11.1\r\n"},
         AnswerOrigin::kProxy,
         ProxyTrouble::kConnect},
        {"squid, no such name",
         503,
         {"HTTP/1.1 503 Service Unavailable\r\n", "Server: web\r\n", "X-Squid-Error: ERR_DNS_FAIL 0\r\n"},
         AnswerOrigin::kProxy,
         ProxyTrouble::kResolve},
        {"RFC 9209",
         504,
         {"HTTP/1.1 504 Gateway Timeout\r\n", "Proxy-Status: edge; error=connection_timeout\r\n"},
         AnswerOrigin::kProxy,
         ProxyTrouble::kTimeout},
        {"forwarded with Proxy-Status",
         500,
         {"HTTP/1.1 500 Oops\r\n", "Proxy-Status: edge; received-status=500\r\n"},
         AnswerOrigin::kServer,
         ProxyTrouble::kNone},
        {"bare 502", 502, {"HTTP/1.1 502 Bad Gateway\r\n"}, AnswerOrigin::kProxy, ProxyTrouble::kOther},
        {"server's 404",
         404,
         {"HTTP/1.1 404 Not Found\r\n", "server: nginx\r\n"},
         AnswerOrigin::kServer,
         ProxyTrouble::kNone},
        {"forwarded, Via",
         500,
         {"HTTP/1.1 500 Internal Server Error\r\n", "Via: 1.1 gw\r\n"},
         AnswerOrigin::kServer,
         ProxyTrouble::kNone},
        {"no evidence", 500, {"HTTP/1.1 500 Internal Server Error\r\n"}, AnswerOrigin::kEither, ProxyTrouble::kNone},
        {"tinyproxy's 401",
         401,
         {"HTTP/1.0 401 Unauthorized\r\n", "WWW-Authenticate: Basic realm=\"Tinyproxy\"\r\n"},
         AnswerOrigin::kProxy,
         ProxyTrouble::kOther},
        {"the server's 401",
         401,
         {"HTTP/1.1 401 Unauthorized\r\n", "Server: Apache\r\n", "WWW-Authenticate: Basic realm=\"updates\"\r\n"},
         AnswerOrigin::kServer,
         ProxyTrouble::kNone},
        {"only the last answer counts",
         500,
         {"HTTP/1.1 502 Bad Gateway\r\n", "Server: squid\r\n", "\r\n", "HTTP/1.1 500 Internal Server Error\r\n"},
         AnswerOrigin::kEither,
         ProxyTrouble::kNone},
    };
    for (const Case& c : cases) {
        AnswerEvidence evidence;
        for (const std::string& line : c.lines) NoteHeaderLine(line, evidence);
        const AnswerJudgement judgement = JudgeProxiedAnswer(c.status, evidence);
        EXPECT_EQ(judgement.origin, c.origin) << c.name;
        EXPECT_EQ(judgement.trouble, c.trouble) << c.name;
    }
    AnswerEvidence tiny;
    for (const char* line : {"HTTP/1.1 500 Unable to connect\r\n", "Server: tinyproxy/1.11.1\r\n"}) {
        NoteHeaderLine(line, tiny);
    }
    EXPECT_EQ(EvidenceText(tiny), "'Unable to connect', Server: tinyproxy/1.11.1");
}

TEST(DiagnosisRules, AnEmptyHostOrProxyHostSendsNothingAndSaysWhich) {
    TServerInfo no_host;
    TServerInfo no_proxy;
    no_proxy.Host = "127.0.0.1";
    no_proxy.PortText = "1";
    no_proxy.ProxyEnabled = true;
    for (const auto& [server, cause] :
         {std::pair{no_host, ProbeCause::kNoServerAddress}, std::pair{no_proxy, ProbeCause::kNoProxyAddress}}) {
        std::string message;
        ProbeDiagnosis why;
        EXPECT_FALSE(RunProbe(server, message, LimitsFor(1000), &why));
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
        EXPECT_EQ(why.cause, cause);
    }
}

}  // namespace
}  // namespace netprobe
